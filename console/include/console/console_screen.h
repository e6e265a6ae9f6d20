// Console output: the ConsoleScreen that writes cells at 1-based rows and
// columns in the current colours, scrolls at the bottom, and printText, which
// turns the German letters of Windows-1252 texts into OEM code page bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/letters.h"
#include "platform/platform.h"

namespace menue {

class ConsoleScreen {
 public:
  explicit ConsoleScreen(ConsoleDevice& device);

  // 1-based; a row or column outside the buffer keeps the current one.
  void moveTo(int row, int column);
  // A value outside 0..15 keeps the previous one of that colour.
  void setColours(int foreground, int background);
  // Blanks the whole buffer in the current colours, cursor to row 1, column 1.
  void clearScreen();
  // Writes code page 850 bytes as cells from the cursor on, wrapping at the
  // right edge.
  void writeText(std::string_view text);
  // Writes the characters of a UTF-8 text from the cursor on, a wide one in
  // two cells; one that does not fit the row's last column goes to the next
  // row, as text wraps.
  void writeCharacters(std::string_view utf8);
  void endLine();
  // A blank (or "-"), the digits and a blank.
  void writeNumber(long value);
  // Blanks up to the next 14-column print zone.
  void nextPrintZone();
  void hideCursor();
  void showCursor();
  bool cursorVisible() const { return cursorVisible_; }
  // Converts through toOem, writes, and ends the line unless stayOnLine.
  void printText(std::string_view windows1252, bool stayOnLine = false);
  // Brings what the user sees up to date, before a pause or a wait: the
  // buffer, or while the window is too small the notice saying so.
  void present();
  // Moves the cursor one cell back (to the last column of the row above from
  // column 1), as line input's Backspace needs.
  void stepBack();

  // The buffer's width in columns.
  int width();
  // The cursor, 1-based.
  int row();
  int column();
  int foreground() const { return foreground_; }
  int background() const { return background_; }
  Attribute attribute() const;

 private:
  void scrollOneRow();
  // The cursor after `columns` cells written from `at`: on the same row,
  // at the next one, or (past the bottom-right cell) a wrap still pending.
  void moveAfter(const BufferInfo& info, CellPos at, int columns);

  ConsoleDevice& device_;
  int foreground_ = 7;
  int background_ = 0;
  bool pendingWrap_ = false;
  bool cursorVisible_ = true;
  int cursorSize_ = 10;
};

}  // namespace menue
