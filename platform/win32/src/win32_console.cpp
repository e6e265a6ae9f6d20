// The Windows console device. The screen is the console's window, the part
// of the screen buffer the user sees: a buffer of thousands of rows costs a
// pass no more than its window, and the menu shows where the user looks.
// Cells go to the buffer as Unicode (WriteConsoleOutputW, never through the
// character stream, so no byte is interpreted) and input records come one at
// a time from "CONIN$" as Unicode, both converted from and to code page 850
// here, so the console's own code pages neither matter nor change.
#include "platform/win32/win32_console.h"

#include <algorithm>
#include <vector>

#include "platform/code_pages.h"

namespace menue::win32 {

namespace {

// Output mode of the menu: processed output, wrapping at the end of a line.
constexpr DWORD MenuOutputMode = ENABLE_PROCESSED_OUTPUT | ENABLE_WRAP_AT_EOL_OUTPUT;

bool hasConsoleMode(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// Standard output when it is a console, else standard error.
HANDLE screenHandle() {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  return hasConsoleMode(output) ? output : GetStdHandle(STD_ERROR_HANDLE);
}

SHORT toShort(int value) {
  return static_cast<SHORT>(std::clamp(value, -32768, 32767));
}

bool isHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

CHAR_INFO cell(char32_t character, Attribute attr) {
  CHAR_INFO info;
  // A character beyond the one UTF-16 unit a cell holds shows as U+FFFD.
  info.Char.UnicodeChar = static_cast<WCHAR>(character > 0xFFFF ? 0xFFFD : character);
  info.Attributes = attr;
  return info;
}

// The cells of a row as the console takes them: a wide character in both
// of its cells, marked as the leading and the trailing half.
std::vector<CHAR_INFO> consoleCells(std::u32string_view characters,
                                    std::span<const Attribute> attributes) {
  std::vector<CHAR_INFO> cells(characters.size());
  for (std::size_t i = 0; i < characters.size(); ++i) {
    const bool continues = characters[i] == WideContinuation;
    const bool wide = i + 1 < characters.size() && characters[i + 1] == WideContinuation &&
                      characters[i] <= 0xFFFF;
    if (!continues) {
      cells[i] = cell(characters[i], attributes[i]);
      if (wide) cells[i].Attributes |= COMMON_LVB_LEADING_BYTE;
    } else if (i > 0 && characters[i - 1] <= 0xFFFF) {
      cells[i] = cell(characters[i - 1], attributes[i]);
      cells[i].Attributes |= COMMON_LVB_TRAILING_BYTE;
    } else {
      cells[i] = cell(U' ', attributes[i]);
    }
  }
  return cells;
}

// Mouse positions come in buffer coordinates; the core gets them relative
// to the window.
InputRecord convertRecord(const INPUT_RECORD& raw, COORD windowOrigin) {
  InputRecord record;
  if (raw.EventType == KEY_EVENT) {
    const KEY_EVENT_RECORD& key = raw.Event.KeyEvent;
    record.kind = RecordKind::Key;
    record.key.keyDown = key.bKeyDown != FALSE;
    record.key.virtualKey = key.wVirtualKeyCode;
    record.key.scanCode = key.wVirtualScanCode;
    record.key.character = key.uChar.UnicodeChar;
    record.key.controlKeyState = key.dwControlKeyState;
  } else if (raw.EventType == MOUSE_EVENT) {
    const MOUSE_EVENT_RECORD& mouse = raw.Event.MouseEvent;
    record.kind = RecordKind::Mouse;
    record.mouse.position = {mouse.dwMousePosition.Y - windowOrigin.Y,
                             mouse.dwMousePosition.X - windowOrigin.X};
    record.mouse.buttonState = mouse.dwButtonState;
    record.mouse.controlKeyState = mouse.dwControlKeyState;
    record.mouse.eventFlags = mouse.dwEventFlags;
  } else if (raw.EventType == WINDOW_BUFFER_SIZE_EVENT) {
    record.kind = RecordKind::WindowSize;
  }
  return record;
}

// The console input mode that stands for the core's `mode`, given the mode
// the console had when the program started.
DWORD menuInputMode(std::uint32_t mode, DWORD found) {
  // With the extended flags the console takes QuickEdit and insert mode from
  // the mode set. While the menu takes the mouse, QuickEdit must be off, or
  // a click starts a selection instead of reaching the menu; otherwise both
  // stay as the user had them.
  // Window input: the console tells a resize, on which the menu shows again
  // after a window too small for it.
  DWORD set = static_cast<DWORD>(mode) | ENABLE_WINDOW_INPUT | ENABLE_EXTENDED_FLAGS |
              (found & ENABLE_INSERT_MODE);
  if ((mode & ENABLE_MOUSE_INPUT) == 0) set |= found & ENABLE_QUICK_EDIT_MODE;
  return set;
}

}  // namespace

Win32Console::Win32Console()
    : output_(screenHandle()),
      input_(CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr)),
      inputModeHandle_(GetStdHandle(STD_INPUT_HANDLE)) {
  // The mode belongs to the console's one input buffer; it is set through
  // standard input when that is the console, else through "CONIN$".
  if (!hasConsoleMode(inputModeHandle_)) inputModeHandle_ = input_.get();

  initial_ = currentSettings();

  SetConsoleMode(output_, MenuOutputMode);
  setInputMode(inputmode::None);
}

Win32Console::~Win32Console() {
  applySettings(initial_);
}

Win32Console::Window Win32Console::window() const {
  Window window;
  CONSOLE_SCREEN_BUFFER_INFO raw;
  if (!GetConsoleScreenBufferInfo(output_, &raw)) return window;
  window.rect = raw.srWindow;
  window.bufferWidth = raw.dwSize.X;
  window.cursor = {raw.dwCursorPosition.Y - raw.srWindow.Top,
                   raw.dwCursorPosition.X - raw.srWindow.Left};
  return window;
}

bool Win32Console::keepPicture(const Window& screen) {
  const int width = std::max(screen.width(), LeastWindow.columns);
  const int height = std::max(screen.height(), LeastWindow.rows);
  if (picture_.width() != width || picture_.height() != height) {
    picture_.resize(width, height, 0x07);
  }
  return noticeShown_.empty() && windowFits({screen.width(), screen.height()});
}

BufferInfo Win32Console::bufferInfo() {
  const Window screen = window();
  if (!keepPicture(screen)) return {picture_.width(), picture_.height(), picture_.cursor()};
  BufferInfo info;
  info.width = screen.width();
  info.height = screen.height();
  // A cursor outside the window (the user scrolled it away) counts as at
  // its nearest edge, so that what is written next is seen.
  info.cursor = {std::clamp(screen.cursor.row, 0, std::max(info.height - 1, 0)),
                 std::clamp(screen.cursor.column, 0, std::max(info.width - 1, 0))};
  picture_.setCursor(info.cursor);
  return info;
}

WindowSize Win32Console::windowSize() {
  const Window screen = window();
  return {screen.width(), screen.height()};
}

void Win32Console::setCursorPosition(CellPos pos) {
  const Window screen = window();
  picture_.setCursor(pos);
  if (!keepPicture(screen) || !screen.contains(pos)) return;
  SetConsoleCursorPosition(output_, screen.bufferPosition(pos));
}

CursorShape Win32Console::cursorShape() {
  CONSOLE_CURSOR_INFO raw;
  if (!GetConsoleCursorInfo(output_, &raw)) return CursorShape{0, true};
  return CursorShape{static_cast<int>(raw.dwSize), raw.bVisible != FALSE};
}

void Win32Console::setCursorShape(CursorShape shape) {
  // The console refuses sizes outside 1..100 and would then keep the
  // visibility unchanged too.
  CONSOLE_CURSOR_INFO raw;
  raw.dwSize = static_cast<DWORD>(std::clamp(shape.size, 1, 100));
  raw.bVisible = shape.visible ? TRUE : FALSE;
  SetConsoleCursorInfo(output_, &raw);
}

void Win32Console::setTextAttribute(Attribute attr) {
  SetConsoleTextAttribute(output_, attr);
}

void Win32Console::writeCells(CellPos at, std::string_view bytes, Attribute attr) {
  const Window screen = window();
  const bool direct = keepPicture(screen);
  const std::size_t count = picture_.write(at, bytes, attr);
  if (direct) showWritten(screen, at, count);
}

void Win32Console::writeText(CellPos at, std::string_view utf8, Attribute attr) {
  const Window screen = window();
  const bool direct = keepPicture(screen);
  const std::size_t count = picture_.writeText(at, utf8, attr);
  if (direct) showWritten(screen, at, count);
}

void Win32Console::showWritten(const Window& screen, CellPos at, std::size_t count) {
  if (count == 0 || !screen.contains(at)) return;
  // One cell on either side: the half of a wide character the write cut
  // became a blank in the picture.
  const int first = std::max(at.column - 1, 0);
  const int last =
      std::min({at.column + static_cast<int>(count) + 1, screen.width(), picture_.width()});
  const auto from = static_cast<std::size_t>(first);
  const auto length = static_cast<std::size_t>(last - first);
  writeRow(screen, at.row, first, picture_.rowText(at.row).substr(from, length),
           picture_.rowAttributes(at.row).subspan(from, length));
}

void Win32Console::fillWindow(const Window& screen, char ch, Attribute attr) {
  const int rows = screen.height();
  const WCHAR character = static_cast<WCHAR>(cellCharacter(static_cast<unsigned char>(ch)));
  const int width = screen.width();
  DWORD written = 0;
  // A window as wide as the buffer (the usual case) is one run of cells.
  const bool wholeRows = screen.rect.Left == 0 && width == screen.bufferWidth;
  const int runs = wholeRows ? 1 : rows;
  const DWORD length = static_cast<DWORD>(std::max(width, 0)) *
                       static_cast<DWORD>(std::max(wholeRows ? rows : 1, 0));
  for (int run = 0; run < runs; ++run) {
    const COORD from = screen.bufferPosition(CellPos{run, 0});
    FillConsoleOutputCharacterW(output_, character, length, from, &written);
    FillConsoleOutputAttribute(output_, attr, length, from, &written);
  }
}

void Win32Console::fillBuffer(char ch, Attribute attr) {
  const Window screen = window();
  const bool direct = keepPicture(screen);
  picture_.fill(ch, attr);
  if (direct) fillWindow(screen, ch, attr);
}

void Win32Console::scrollUp(Attribute fill) {
  const Window screen = window();
  const bool direct = keepPicture(screen);
  picture_.scrollUp(fill);
  if (!direct) return;
  if (screen.height() < 2) {  // nothing to move: the one row only becomes blank
    fillWindow(screen, ' ', fill);
    return;
  }
  // Rows 1..bottom of the window move to its row 0; the row they leave is
  // filled with blanks. The rest of the buffer stays as it is.
  const SMALL_RECT moved{screen.rect.Left, toShort(screen.rect.Top + 1), screen.rect.Right,
                         screen.rect.Bottom};
  const CHAR_INFO blank = cell(U' ', fill);
  ScrollConsoleScreenBufferW(output_, &moved, &screen.rect,
                             COORD{screen.rect.Left, screen.rect.Top}, &blank);
}

void Win32Console::writeRow(const Window& screen, int row, int column,
                            std::u32string_view characters, std::span<const Attribute> attributes) {
  const std::size_t count =
      std::min(characters.size(), static_cast<std::size_t>(std::max(screen.width() - column, 0)));
  if (count == 0 || row >= screen.height()) return;
  const std::vector<CHAR_INFO> cells =
      consoleCells(characters.substr(0, count), attributes.subspan(0, count));
  const COORD from = screen.bufferPosition(CellPos{row, column});
  SMALL_RECT region{from.X, from.Y, toShort(from.X + static_cast<int>(count) - 1), from.Y};
  WriteConsoleOutputW(output_, cells.data(), COORD{toShort(static_cast<int>(count)), 1},
                      COORD{0, 0}, &region);
}

void Win32Console::present() {
  const Window screen = window();
  if (!notice_.empty()) {
    if (noticeShown_ == notice_) return;
    fillWindow(screen, ' ', 0x07);
    const std::vector<Attribute> plain(notice_.size(), 0x07);
    std::u32string characters;
    for (const char byte : notice_) characters += cellCharacter(static_cast<unsigned char>(byte));
    writeRow(screen, 0, 0, characters, plain);
    noticeShown_ = notice_;
    return;
  }
  if (noticeShown_.empty()) return;
  // The window fits again: the picture the core drew meanwhile shows whole.
  noticeShown_.clear();
  keepPicture(screen);
  for (int row = 0; row < picture_.height(); ++row) {
    writeRow(screen, row, 0, picture_.rowText(row), picture_.rowAttributes(row));
  }
  SetConsoleCursorPosition(output_, screen.bufferPosition(picture_.cursor()));
}

void Win32Console::setInputMode(std::uint32_t mode) {
  SetConsoleMode(inputModeHandle_, menuInputMode(mode, initial_.inputMode));
}

std::optional<InputRecord> Win32Console::readInput() {
  INPUT_RECORD raw;
  DWORD count = 0;
  // Peeking first keeps the read from blocking on an empty buffer.
  if (!PeekConsoleInputW(input_.get(), &raw, 1, &count) || count == 0) return std::nullopt;
  if (!ReadConsoleInputW(input_.get(), &raw, 1, &count) || count == 0) return std::nullopt;
  COORD origin{0, 0};
  if (raw.EventType == MOUSE_EVENT) origin = window().bufferPosition(CellPos{0, 0});
  InputRecord record = convertRecord(raw, origin);
  return joinSurrogates(record);
}
InputRecord Win32Console::joinSurrogates(InputRecord record) {
  if (record.kind != RecordKind::Key || !record.key.keyDown) return record;
  const char32_t c = record.key.character;
  // A character beyond the first plane comes as two key records, its
  // surrogates; the first waits for the second and is no event itself.
  if (isHighSurrogate(c)) {
    highSurrogate_ = c;
    record.kind = RecordKind::Other;
    return record;
  }
  // A second half without its first stands for no character it could name.
  if (isLowSurrogate(c)) {
    record.key.character =
        highSurrogate_ == 0 ? 0xFFFD : 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00);
  }
  if (c != 0) highSurrogate_ = 0;
  return record;
}

void Win32Console::waitInput() {
  // The input handle is signalled while records are pending. Without a
  // console input there is nothing to wait for but the end of the process;
  // blocking for good beats returning into a loop that would spin.
  if (WaitForSingleObject(input_.get(), INFINITE) == WAIT_FAILED) Sleep(INFINITE);
}

void Win32Console::flushInput() {
  FlushConsoleInputBuffer(input_.get());
}

Win32Console::Settings Win32Console::currentSettings() const {
  Settings settings;
  settings.haveInputMode = GetConsoleMode(inputModeHandle_, &settings.inputMode) != FALSE;
  settings.haveOutputMode = GetConsoleMode(output_, &settings.outputMode) != FALSE;
  settings.haveCursor = GetConsoleCursorInfo(output_, &settings.cursor) != FALSE;
  return settings;
}

void Win32Console::applySettings(const Settings& settings) {
  if (settings.haveInputMode) SetConsoleMode(inputModeHandle_, settings.inputMode);
  if (settings.haveOutputMode) SetConsoleMode(output_, settings.outputMode);
  if (settings.haveCursor) SetConsoleCursorInfo(output_, &settings.cursor);
}

}  // namespace menue::win32
