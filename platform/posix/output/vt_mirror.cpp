// Compares the screen buffer with the remembered terminal picture and sends
// the difference in one batch; a screen drawn anew is cleared once first.
#include "platform/posix/output/vt_mirror.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "platform/posix/output/vt_sequences.h"
#include "platform/utf8.h"

namespace menue {

namespace {

// Unchanged cells up to this many are rewritten rather than skipped with a
// cursor movement, which costs about as many bytes.
constexpr int MaxRewrittenGap = 4;
// Runs of at least this many equal blanks are erased in their colour (to the
// end of the row, or erase-characters and a step over them) instead of
// written cell by cell: a blue screen costs a few bytes a row, not 80.
constexpr int MinErasedRun = 8;

// The place of a cell in the row-major picture, counted in the width of an
// index so that no product of two ints can overflow first.
std::size_t cellIndex(int row, int width, int column) {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(column);
}

void appendCsi(std::string& out, int count, char final) {
  out += "\x1b[";
  out += std::to_string(count);
  out += final;
}

}  // namespace

bool VtMirror::needsSend(const ScreenBuffer& screen, int row, int column) const {
  const auto i = cellIndex(row, width_, column);
  if (known_[i]) return !(shown_[i] == screen.cell(row, column));
  return screen.writtenSince(row, column, forgottenAt_);
}

bool VtMirror::reusableGap(const ScreenBuffer& screen, int row, int from, int to) const {
  if (to - from > MaxRewrittenGap || to >= width_) return false;
  for (int c = from; c < to; ++c) {
    if (!known_[cellIndex(row, width_, c)]) return false;
  }
  return needsSend(screen, row, to);
}

void VtMirror::sendRun(const ScreenBuffer& screen, int row, int from, int to, std::string& out) {
  // The second half of a wide character is sent as the whole character.
  if (from > 0 && screen.cell(row, from).ch == WideContinuation) --from;
  if (cursorVisible_ != false) {
    // Hidden while drawing so it does not flicker across the screen.
    out += vt::HideCursor;
    cursorVisible_ = false;
  }
  if (cursor_ != CellPos{row, from}) vt::appendCursorPosition(out, {row, from});
  std::optional<CellPos> end;
  // The row read through views held here: the output written in between
  // cannot make the compiler fetch the buffer's planes again for every cell.
  const std::u32string_view characters = screen.rowText(row);
  const std::span<const Attribute> attributes = screen.rowAttributes(row);
  const auto cellAt = [&](int column) {
    const auto i = static_cast<std::size_t>(column);
    return Cell{characters[i], attributes[i]};
  };
  for (int c = from; c < to;) {
    const Cell cell = cellAt(c);
    if (colours_ != cell.attr) {
      vt::appendSgr(out, cell.attr);
      colours_ = cell.attr;
    }
    int run = 1;
    if (cell.ch == U' ') {
      while (c + run < to && cellAt(c + run) == cell) ++run;
    }
    if (run >= MinErasedRun) {
      if (c + run == width_) {
        out += "\x1b[K";  // erasing does not move the cursor
        end = CellPos{row, c};
      } else {
        appendCsi(out, run, 'X');
        appendCsi(out, run, 'C');
      }
    } else {
      run = 1;
      // The wide character before covers a continuation's column.
      if (cell.ch != WideContinuation) appendUtf8(out, cell.ch);
    }
    for (int i = c; i < c + run; ++i) {
      const auto index = cellIndex(row, width_, i);
      shown_[index] = cell;
      known_[index] = 1;
    }
    c += run;
  }
  // After the last column the terminal waits to wrap; where the cursor
  // stands then differs between terminals.
  if (!end && to < width_) end = CellPos{row, to};
  cursor_ = end;
}

bool VtMirror::clearFirst(const ScreenBuffer& screen, std::string& out) {
  // Only where every cell is to be sent: a clear costs nothing then.
  std::array<int, 256> blanks{};
  for (int r = 0; r < height_; ++r) {
    const std::u32string_view characters = screen.rowText(r);
    const std::span<const Attribute> attributes = screen.rowAttributes(r);
    for (int c = 0; c < width_; ++c) {
      if (!needsSend(screen, r, c)) return false;
      const auto i = static_cast<std::size_t>(c);
      if (characters[i] == U' ') ++blanks[attributes[i]];
    }
  }
  const auto most = std::max_element(blanks.begin(), blanks.end());
  if (*most == 0) return false;
  const Cell blank{U' ', static_cast<Attribute>(most - blanks.begin())};
  if (colours_ != blank.attr) {
    vt::appendSgr(out, blank.attr);
    colours_ = blank.attr;
  }
  // The erase leaves the cursor where it was and fills in the current
  // background, as every terminal that erases lines in colour does.
  out += vt::EraseDisplay;
  std::fill(shown_.begin(), shown_.end(), blank);
  std::fill(known_.begin(), known_.end(), 1);
  return true;
}

void VtMirror::render(const ScreenBuffer& screen, std::string& out) {
  if (adopt(screen)) repaintAll();
  clearFirst(screen, out);
  for (int r = 0; r < height_; ++r) {
    int c = 0;
    while (c < width_) {
      if (!needsSend(screen, r, c)) {
        ++c;
        continue;
      }
      int end = c + 1;
      while (end < width_) {
        if (needsSend(screen, r, end)) {
          ++end;
          continue;
        }
        int next = end;
        while (next < width_ && !needsSend(screen, r, next)) ++next;
        if (!reusableGap(screen, r, end, next)) break;
        end = next;
      }
      sendRun(screen, r, c, end, out);
      c = end;
    }
  }
  if (cursor_ != screen.cursor()) {
    vt::appendCursorPosition(out, screen.cursor());
    cursor_ = screen.cursor();
  }
  if (cursorVisible_ != screen.cursorVisible()) {
    out += screen.cursorVisible() ? vt::ShowCursor : vt::HideCursor;
    cursorVisible_ = screen.cursorVisible();
  }
}

bool VtMirror::adopt(const ScreenBuffer& screen) {
  if (screen.width() == width_ && screen.height() == height_) return false;
  width_ = screen.width();
  height_ = screen.height();
  shown_.assign(cellIndex(height_, width_, 0), Cell{});
  known_.assign(shown_.size(), 0);
  return true;
}

void VtMirror::forgetPicture(const ScreenBuffer& screen) {
  adopt(screen);
  known_.assign(shown_.size(), 0);
  forgottenAt_ = screen.generation();
  forgetModes();
}

void VtMirror::repaintAll() {
  known_.assign(shown_.size(), 0);
  forgottenAt_ = 0;
  forgetModes();
}

void VtMirror::forgetModes() {
  colours_.reset();
  cursor_.reset();
  cursorVisible_.reset();
}

}  // namespace menue
