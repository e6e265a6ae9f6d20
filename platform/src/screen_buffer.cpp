// The screen buffer's cell operations and its rules at the edges. Characters
// and attributes lie in two planes, so that filling the buffer and reading a row
// are block operations.
#include "platform/screen_buffer.h"

#include <algorithm>

#include "platform/code_pages.h"
#include "platform/text_width.h"
#include "platform/utf8.h"

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

char32_t shownCharacter(char32_t c) {
  if (c < 0x20 || c == 0x7F) return cellCharacter(static_cast<unsigned char>(c));
  const bool c1 = c >= 0x80 && c < 0xA0;
  const bool surrogate = c >= 0xD800 && c < 0xE000;
  const bool nonCharacter = (c >= 0xFDD0 && c < 0xFDF0) || (c & 0xFFFE) == 0xFFFE;
  if (c1 || surrogate || nonCharacter || c > 0x10FFFF) return 0xFFFD;
  return c;
}

ScreenBuffer::ScreenBuffer(int width, int height, Attribute fill)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  const std::size_t cells = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  chars_.assign(cells, U' ');
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
  blankCutHalves(index(at.row, 0), at.column, at.column + static_cast<int>(count));
  // Writes are short, mostly a word: one loop beats three block calls.
  for (std::size_t i = 0; i < count; ++i) {
    put(start + i, cellCharacter(static_cast<unsigned char>(bytes[i])), attr);
  }
  return count;
}

std::size_t ScreenBuffer::writeText(CellPos at, std::string_view utf8, Attribute attr) {
  if (!inside(at)) return 0;
  const int room = width_ - at.column;
  const std::size_t cut = prefixWithinColumns(utf8, room);
  const int columns = textColumns(utf8.substr(0, cut));
  if (columns == 0) return 0;
  const std::size_t rowStart = index(at.row, 0);
  ++generation_;
  blankCutHalves(rowStart, at.column, at.column + columns);
  std::size_t i = rowStart + static_cast<std::size_t>(at.column);
  for (std::size_t pos = 0; pos < cut;) {
    const Utf8Character read = readUtf8(utf8, pos);
    pos += read.length;
    const char32_t c = read.valid ? read.character : 0xFFFD;
    const int width = characterColumns(c);
    if (width == 0) continue;
    put(i++, shownCharacter(c), attr);
    if (width == 2) put(i++, WideContinuation, attr);
  }
  return static_cast<std::size_t>(columns);
}

void ScreenBuffer::blankCutHalves(std::size_t rowStart, int first, int last) {
  if (first > 0 && chars_[rowStart + static_cast<std::size_t>(first)] == WideContinuation) {
    put(rowStart + static_cast<std::size_t>(first - 1), U' ', attrs_[rowStart + first - 1]);
  }
  if (last < width_ && chars_[rowStart + static_cast<std::size_t>(last)] == WideContinuation) {
    put(rowStart + static_cast<std::size_t>(last), U' ', attrs_[rowStart + last]);
  }
}

void ScreenBuffer::fill(char ch, Attribute attr) {
  std::fill(chars_.begin(), chars_.end(), cellCharacter(static_cast<unsigned char>(ch)));
  std::fill(attrs_.begin(), attrs_.end(), attr);
  touchAll();
}

void ScreenBuffer::scrollUp(Attribute fill) {
  scrollPlane(chars_, width_, U' ');
  scrollPlane(attrs_, width_, fill);
  touchAll();
}

void ScreenBuffer::resize(int width, int height, Attribute fill) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  chars_ = resizedPlane(chars_, width_, height_, width, height, U' ');
  // A wide character whose second half fell off the right edge goes whole.
  for (int r = 0; r < height; ++r) {
    char32_t& last = chars_[static_cast<std::size_t>(r) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(width - 1)];
    if (last != WideContinuation && characterColumns(last) == 2) last = U' ';
  }
  attrs_ = resizedPlane(attrs_, width_, height_, width, height, fill);
  width_ = width;
  height_ = height;
  stamps_.assign(chars_.size(), 0);
  touchAll();
  cursor_.row = std::min(cursor_.row, height_ - 1);
  cursor_.column = std::min(cursor_.column, width_ - 1);
}

}  // namespace menue
