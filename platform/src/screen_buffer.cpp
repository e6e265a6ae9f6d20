// The screen buffer's cell operations and its rules at the edges. Bytes and
// attributes lie in two planes, so that filling the buffer and reading a row
// are block operations.
#include "platform/screen_buffer.h"

#include <algorithm>

namespace menue {

namespace {

template <typename T>
void scrollPlane(std::vector<T>& plane, std::ptrdiff_t rowCells, T blank) {
  std::move(plane.begin() + rowCells, plane.end(), plane.begin());
  std::fill(plane.end() - rowCells, plane.end(), blank);
}

// The plane at a new size: the rows and columns that fit kept, the rest blank.
template <typename T>
std::vector<T> resizedPlane(const std::vector<T>& plane, int oldWidth, int oldHeight, int width,
                            int height, T blank) {
  std::vector<T> resized(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), blank);
  const int keepColumns = std::min(width, oldWidth);
  for (int r = 0; r < std::min(height, oldHeight); ++r) {
    std::copy_n(plane.begin() + static_cast<std::ptrdiff_t>(r) * oldWidth, keepColumns,
                resized.begin() + static_cast<std::ptrdiff_t>(r) * width);
  }
  return resized;
}

}  // namespace

ScreenBuffer::ScreenBuffer(int width, int height, Attribute fill)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  const std::size_t cells = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  chars_.assign(cells, ' ');
  attrs_.assign(cells, fill);
  stamps_.assign(cells, 0);
}

void ScreenBuffer::touchAll() {
  wholeStamp_ = ++generation_;
}

std::size_t ScreenBuffer::write(CellPos at, std::string_view bytes, Attribute attr) {
  if (!inside(at)) return 0;
  const auto count = std::min(bytes.size(), static_cast<std::size_t>(width_ - at.column));
  if (count == 0) return 0;
  const std::size_t start = index(at.row, at.column);
  ++generation_;
  // Writes are short, mostly a word: one loop beats three block calls.
  for (std::size_t i = 0; i < count; ++i) {
    chars_[start + i] = bytes[i];
    attrs_[start + i] = attr;
    stamps_[start + i] = generation_;
  }
  return count;
}

void ScreenBuffer::fill(char ch, Attribute attr) {
  std::fill(chars_.begin(), chars_.end(), ch);
  std::fill(attrs_.begin(), attrs_.end(), attr);
  touchAll();
}

void ScreenBuffer::scrollUp(Attribute fill) {
  scrollPlane(chars_, width_, ' ');
  scrollPlane(attrs_, width_, fill);
  touchAll();
}

void ScreenBuffer::resize(int width, int height, Attribute fill) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  chars_ = resizedPlane(chars_, width_, height_, width, height, ' ');
  attrs_ = resizedPlane(attrs_, width_, height_, width, height, fill);
  width_ = width;
  height_ = height;
  stamps_.assign(chars_.size(), 0);
  touchAll();
  cursor_.row = std::min(cursor_.row, height_ - 1);
  cursor_.column = std::min(cursor_.column, width_ - 1);
}

}  // namespace menue
