// The emulated console screen buffer: cells of a byte and an attribute, the
// cursor, and a write stamp per cell so the terminal mirror can tell which
// cells the program wrote since a given moment.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace menue {

struct Cell {
  char ch = ' ';
  Attribute attr = 0x07;
  bool operator==(const Cell&) const = default;
};

class ScreenBuffer {
 public:
  ScreenBuffer(int width, int height, Attribute fill = 0x07);

  int width() const { return width_; }
  int height() const { return height_; }
  const Cell& cell(int row, int column) const { return cells_[index(row, column)]; }
  // The write counter when the cell was last written; rises with every change.
  std::uint64_t stamp(int row, int column) const { return stamps_[index(row, column)]; }
  std::uint64_t generation() const { return generation_; }

  CellPos cursor() const { return cursor_; }
  bool cursorVisible() const { return cursorVisible_; }
  // A position outside the buffer is ignored.
  void setCursor(CellPos pos);
  void setCursorVisible(bool visible) { cursorVisible_ = visible; }

  // One cell per byte from `at`, clipped at the right edge.
  void write(CellPos at, std::string_view bytes, Attribute attr);
  void fill(char ch, Attribute attr);
  // Rows 1..bottom move up one row; the bottom row becomes blank in `fill`.
  void scrollUp(Attribute fill);
  // Keeps the content where it fits; new cells are blanks in `fill`.
  void resize(int width, int height, Attribute fill);

 private:
  std::size_t index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(column);
  }
  void touch(std::size_t from, std::size_t count);

  int width_;
  int height_;
  std::vector<Cell> cells_;
  std::vector<std::uint64_t> stamps_;
  std::uint64_t generation_ = 1;
  CellPos cursor_;
  bool cursorVisible_ = true;
};

}  // namespace menue
