// The Windows console as the core's ConsoleDevice: the window of the screen
// buffer of standard output (standard error when that is no console) and the
// input records of "CONIN$".
#pragma once

#include <span>
#include <string>

#include "platform/platform.h"
#include "platform/screen_buffer.h"
#include "platform/win32/win32_api.h"

namespace menue::win32 {

class Win32Console : public ConsoleDevice {
 public:
  // Takes the console as the program found it; the destructor gives back
  // its modes and cursor (the screen content stays).
  Win32Console();
  ~Win32Console() override;
  Win32Console(const Win32Console&) = delete;
  Win32Console& operator=(const Win32Console&) = delete;

  BufferInfo bufferInfo() override;
  void setCursorPosition(CellPos pos) override;
  CursorShape cursorShape() override;
  void setCursorShape(CursorShape shape) override;
  void setTextAttribute(Attribute attr) override;
  void writeCells(CellPos at, std::string_view bytes, Attribute attr) override;
  void writeText(CellPos at, std::string_view utf8, Attribute attr) override;
  void fillBuffer(char ch, Attribute attr) override;
  void scrollUp(Attribute fill) override;
  // Every write reaches the console at once while the window fits; then
  // only the notice, or the picture kept while it showed, is to be brought.
  void present() override;
  WindowSize windowSize() override;
  void showNotice(std::string_view line) override { notice_ = line; }

  void setInputMode(std::uint32_t mode) override;
  std::optional<InputRecord> readInput() override;
  void waitInput() override;
  void flushInput() override;

  // The settings a started program may change: the input and output modes
  // and the cursor. Children run with the settings the menu found at its
  // start, and the menu takes its own back afterwards.
  struct Settings {
    DWORD inputMode = 0;
    DWORD outputMode = 0;
    CONSOLE_CURSOR_INFO cursor{};
    bool haveInputMode = false;
    bool haveOutputMode = false;
    bool haveCursor = false;
  };
  Settings currentSettings() const;
  void applySettings(const Settings& settings);
  const Settings& initialSettings() const { return initial_; }

 private:
  // The console's window in its screen buffer: the core's screen, with the
  // cursor relative to the window's top left cell.
  struct Window {
    SMALL_RECT rect{0, 0, 79, 24};  // what the core assumes without a console
    int bufferWidth = 80;
    CellPos cursor;
    int width() const { return rect.Right - rect.Left + 1; }
    int height() const { return rect.Bottom - rect.Top + 1; }
    bool contains(CellPos pos) const {
      return pos.row >= 0 && pos.row < height() && pos.column >= 0 && pos.column < width();
    }
    COORD bufferPosition(CellPos pos) const {
      return COORD{static_cast<SHORT>(rect.Left + pos.column),
                   static_cast<SHORT>(rect.Top + pos.row)};
    }
  };
  Window window() const;
  // A key record with the character it and the one before it stand for.
  InputRecord joinSurrogates(InputRecord record);
  // Fills every cell of the window.
  void fillWindow(const Window& screen, char ch, Attribute attr);
  // The kept picture, as large as the window but never below LeastWindow;
  // true when the core's writes go to the window as well (it fits and shows
  // no notice).
  bool keepPicture(const Window& screen);
  // Writes one row of cells, each in its own attribute, from `column` on.
  void writeRow(const Window& screen, int row, int column, std::u32string_view characters,
                std::span<const Attribute> attributes);
  // Shows the `count` cells of the picture a write changed from `at` on.
  void showWritten(const Window& screen, CellPos at, std::size_t count);

  HANDLE output_ = INVALID_HANDLE_VALUE;           // a standard handle: never closed
  OwnedHandle input_;                              // "CONIN$": records are read here
  HANDLE inputModeHandle_ = INVALID_HANDLE_VALUE;  // standard input, or input_
  Settings initial_;
  // What the core drew, kept whole while the window is smaller than its
  // screens (the console cuts, and may reflow, what does not fit): shown
  // again once the window fits.
  ScreenBuffer picture_{LeastWindow.columns, LeastWindow.rows};
  std::string notice_;          // asked for by the core
  std::string noticeShown_;     // in the window now
  char32_t highSurrogate_ = 0;  // the first half of a character being typed
};

}  // namespace menue::win32
