// A console screen buffer in memory, kept by the Windows console's rules:
// cells of a Unicode character and an attribute, the cursor and its visibility, scrolling
// and resizing, and a write stamp per cell so that a mirror of the buffer can
// tell which cells were written since a given moment. The POSIX backend
// mirrors it to the terminal; the virtual console and the benchmarks read it.
//
// At the edges, as the Windows console: a cursor position outside the buffer
// is refused (the cursor stays), a write that starts outside the buffer
// writes nothing, and one that runs past the right edge is cut there.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace menue {

// The second cell of a wide character: the mirror sends nothing for it, as
// the character before it already covers its column.
inline constexpr char32_t WideContinuation = 0x110000;

// The character a cell shows for a character written to it: a control
// character, a surrogate or a noncharacter becomes U+FFFD, and the controls
// below 0x20 and DEL the classic glyphs code page 850 shows them as, so no
// cell ever holds what a terminal would act on.
char32_t shownCharacter(char32_t c);

struct Cell {
  char32_t ch = U' ';
  Attribute attr = 0x07;
  bool operator==(const Cell&) const = default;
};

class ScreenBuffer {
 public:
  // At least one row and one column, blank in `fill`.
  ScreenBuffer(int width, int height, Attribute fill = 0x07);

  int width() const { return width_; }
  int height() const { return height_; }
  // `row` and `column` must lie inside the buffer.
  Cell cell(int row, int column) const {
    const std::size_t i = index(row, column);
    return Cell{chars_[i], attrs_[i]};
  }
  // The characters of a row and their attributes, seen in the buffer: valid
  // until it is resized.
  std::u32string_view rowText(int row) const {
    return {chars_.data() + index(row, 0), static_cast<std::size_t>(width_)};
  }
  std::span<const Attribute> rowAttributes(int row) const {
    return {attrs_.data() + index(row, 0), static_cast<std::size_t>(width_)};
  }
  // The write counter: rises with every change.
  std::uint64_t generation() const { return generation_; }
  // Whether the cell was written after the counter stood at `generation`.
  bool writtenSince(int row, int column, std::uint64_t generation) const {
    return wholeStamp_ > generation || stamps_[index(row, column)] > generation;
  }

  CellPos cursor() const { return cursor_; }
  bool cursorVisible() const { return cursorVisible_; }
  void setCursor(CellPos pos) {
    if (inside(pos)) cursor_ = pos;
  }
  void setCursorVisible(bool visible) { cursorVisible_ = visible; }

  // One cell per code page 850 byte from `at`, each shown as `cellCharacter`
  // gives it; returns how many cells were written.
  std::size_t write(CellPos at, std::string_view bytes, Attribute attr);
  // The characters of a UTF-8 text from `at`: a wide character takes its
  // cell and a `WideContinuation` after it (one that would straddle the
  // right edge is left out with the rest), a combining mark or an invisible
  // format character takes none and is not kept in the grid (the text keeps
  // it), a byte that starts no character shows as U+FFFD. Returns the
  // columns written.
  std::size_t writeText(CellPos at, std::string_view utf8, Attribute attr);
  void fill(char ch, Attribute attr);
  // Rows 1..bottom move up one row; the bottom row becomes blank in `fill`.
  void scrollUp(Attribute fill);
  // Keeps the content where it fits; new cells are blanks in `fill`. The
  // cursor moves into the new size.
  void resize(int width, int height, Attribute fill);

 private:
  bool inside(CellPos pos) const {
    return pos.row >= 0 && pos.row < height_ && pos.column >= 0 && pos.column < width_;
  }
  std::size_t index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(column);
  }
  // Every cell written at once: one stamp instead of one per cell.
  void touchAll();
  // A wide character cut in half by a write from `first` to `last`
  // (exclusive) loses its other half too: that cell becomes a blank.
  void blankCutHalves(std::size_t rowStart, int first, int last);
  void put(std::size_t i, char32_t ch, Attribute attr) {
    chars_[i] = ch;
    attrs_[i] = attr;
    stamps_[i] = generation_;
  }

  int width_;
  int height_;
  std::vector<char32_t> chars_;
  std::vector<Attribute> attrs_;
  std::vector<std::uint64_t> stamps_;
  std::uint64_t generation_ = 1;
  std::uint64_t wholeStamp_ = 1;  // when every cell was last written at once
  CellPos cursor_;
  bool cursorVisible_ = true;
};

}  // namespace menue
