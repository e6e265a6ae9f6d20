// ConsoleScreen: cell-wise output at 1-based positions in the current
// colours, with the owed scroll at the bottom-right corner, and printText's
// conversion of the German letters to the OEM code page.
#include "console/console_screen.h"

#include <string>

#include "console/window_size.h"
#include "platform/letters.h"
#include "platform/text_width.h"

namespace menue {

ConsoleScreen::ConsoleScreen(ConsoleDevice& device) : device_(device) {
  CursorShape shape = device_.cursorShape();
  if (shape.size <= 0) {
    cursorSize_ = 10;
    cursorVisible_ = true;
  } else {
    cursorSize_ = shape.size;
    cursorVisible_ = shape.visible;
  }
}

Attribute ConsoleScreen::attribute() const {
  return static_cast<Attribute>(background_ * 16 + foreground_);
}

int ConsoleScreen::width() {
  return device_.bufferInfo().width;
}

int ConsoleScreen::row() {
  return device_.bufferInfo().cursor.row + 1;
}

int ConsoleScreen::column() {
  return device_.bufferInfo().cursor.column + 1;
}

void ConsoleScreen::moveTo(int row, int column) {
  BufferInfo info = device_.bufferInfo();
  CellPos pos = info.cursor;
  if (row >= 1 && row <= info.height) pos.row = row - 1;
  if (column >= 1 && column <= info.width) pos.column = column - 1;
  device_.setCursorPosition(pos);
  pendingWrap_ = false;
}

void ConsoleScreen::setColours(int foreground, int background) {
  if (foreground >= 0 && foreground <= 15) foreground_ = foreground;
  if (background >= 0 && background <= 15) background_ = background;
  device_.setTextAttribute(attribute());
}

void ConsoleScreen::clearScreen() {
  device_.fillBuffer(' ', attribute());
  device_.setCursorPosition(CellPos{0, 0});
  pendingWrap_ = false;
}

void ConsoleScreen::scrollOneRow() {
  device_.scrollUp(attribute());
}

void ConsoleScreen::moveAfter(const BufferInfo& info, CellPos at, int columns) {
  const int end = at.column + columns;
  if (end < info.width) {
    device_.setCursorPosition(CellPos{at.row, end});
  } else if (at.row < info.height - 1) {
    device_.setCursorPosition(CellPos{at.row + 1, 0});
  } else {
    pendingWrap_ = true;
    device_.setCursorPosition(CellPos{at.row, 0});
  }
}

void ConsoleScreen::writeText(std::string_view text) {
  while (!text.empty()) {
    if (pendingWrap_) {
      pendingWrap_ = false;
      scrollOneRow();
    }
    BufferInfo info = device_.bufferInfo();
    CellPos at = info.cursor;
    auto room = static_cast<std::size_t>(info.width - at.column);
    std::string_view chunk = text.substr(0, room);
    device_.writeCells(at, chunk, attribute());
    text.remove_prefix(chunk.size());
    moveAfter(info, at, static_cast<int>(chunk.size()));
  }
}

void ConsoleScreen::writeCharacters(std::string_view utf8) {
  while (!utf8.empty()) {
    if (pendingWrap_) {
      pendingWrap_ = false;
      scrollOneRow();
    }
    BufferInfo info = device_.bufferInfo();
    CellPos at = info.cursor;
    const int room = info.width - at.column;
    std::size_t cut = prefixWithinColumns(utf8, room);
    int columns = textColumns(utf8.substr(0, cut));
    if (cut == 0 && room < info.width) {
      // A wide character at the last column: that cell stays blank.
      device_.writeCells(at, std::string(static_cast<std::size_t>(room), ' '), attribute());
      columns = room;
    } else if (cut == 0) {
      cut = utf8.size();  // wider than the whole row: nothing can show it
    }
    device_.writeText(at, utf8.substr(0, cut), attribute());
    utf8.remove_prefix(cut);
    moveAfter(info, at, columns);
  }
}

void ConsoleScreen::endLine() {
  BufferInfo info = device_.bufferInfo();
  int bottom = info.height - 1;
  if (info.cursor.row < bottom) {
    device_.setCursorPosition(CellPos{info.cursor.row + 1, 0});
    return;
  }
  scrollOneRow();
  if (pendingWrap_) {
    pendingWrap_ = false;
    scrollOneRow();
  }
  device_.setCursorPosition(CellPos{bottom, 0});
}

void ConsoleScreen::writeNumber(long value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  writeText((value < 0 ? "-" : " ") + digits + " ");
}

void ConsoleScreen::nextPrintZone() {
  int blanks = 14 - ((column() - 1) % 14);
  writeText(std::string(static_cast<std::size_t>(blanks), ' '));
}

void ConsoleScreen::hideCursor() {
  cursorVisible_ = false;
  device_.setCursorShape(CursorShape{cursorSize_, false});
}

void ConsoleScreen::showCursor() {
  cursorVisible_ = true;
  device_.setCursorShape(CursorShape{cursorSize_, true});
}

void ConsoleScreen::printText(std::string_view windows1252, bool stayOnLine) {
  writeText(toOem(windows1252));
  if (!stayOnLine) endLine();
}

void ConsoleScreen::stepBack() {
  BufferInfo info = device_.bufferInfo();
  CellPos pos = info.cursor;
  if (pendingWrap_) {
    pendingWrap_ = false;
    pos.column = info.width - 1;
  } else if (pos.column > 0) {
    --pos.column;
  } else if (pos.row > 0) {
    --pos.row;
    pos.column = info.width - 1;
  }
  device_.setCursorPosition(pos);
}

void ConsoleScreen::present() {
  device_.showNotice(toOem(smallWindowNotice(device_.windowSize())));
  device_.present();
}

}  // namespace menue
