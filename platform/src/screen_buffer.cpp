// The emulated screen buffer's cell operations.
#include "platform/screen_buffer.h"

#include <algorithm>

namespace menue {

ScreenBuffer::ScreenBuffer(int width, int height, Attribute fill)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
  cells_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                Cell{' ', fill});
  stamps_.assign(cells_.size(), generation_);
}

void ScreenBuffer::setCursor(CellPos pos) {
  if (pos.row < 0 || pos.row >= height_ || pos.column < 0 || pos.column >= width_) return;
  cursor_ = pos;
}

void ScreenBuffer::touch(std::size_t from, std::size_t count) {
  ++generation_;
  std::fill_n(stamps_.begin() + static_cast<std::ptrdiff_t>(from), count, generation_);
}

void ScreenBuffer::write(CellPos at, std::string_view bytes, Attribute attr) {
  if (at.row < 0 || at.row >= height_ || at.column >= width_) return;
  if (at.column < 0) {
    const auto skip = static_cast<std::size_t>(-at.column);
    if (skip >= bytes.size()) return;
    bytes.remove_prefix(skip);
    at.column = 0;
  }
  const auto count = std::min(bytes.size(), static_cast<std::size_t>(width_ - at.column));
  if (count == 0) return;
  const std::size_t start = index(at.row, at.column);
  for (std::size_t i = 0; i < count; ++i) cells_[start + i] = Cell{bytes[i], attr};
  touch(start, count);
}

void ScreenBuffer::fill(char ch, Attribute attr) {
  std::fill(cells_.begin(), cells_.end(), Cell{ch, attr});
  touch(0, cells_.size());
}

void ScreenBuffer::scrollUp(Attribute fill) {
  const auto rowCells = static_cast<std::ptrdiff_t>(width_);
  std::move(cells_.begin() + rowCells, cells_.end(), cells_.begin());
  std::fill(cells_.end() - rowCells, cells_.end(), Cell{' ', fill});
  touch(0, cells_.size());
}

void ScreenBuffer::resize(int width, int height, Attribute fill) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  std::vector<Cell> cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                          Cell{' ', fill});
  const int keepRows = std::min(height, height_);
  const int keepColumns = std::min(width, width_);
  for (int r = 0; r < keepRows; ++r) {
    std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(index(r, 0)), keepColumns,
                cells.begin() + static_cast<std::ptrdiff_t>(r) * width);
  }
  width_ = width;
  height_ = height;
  cells_ = std::move(cells);
  stamps_.assign(cells_.size(), 0);
  touch(0, cells_.size());
  cursor_.row = std::min(cursor_.row, height_ - 1);
  cursor_.column = std::min(cursor_.column, width_ - 1);
}

}  // namespace menue
