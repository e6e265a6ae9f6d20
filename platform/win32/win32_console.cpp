// The Windows console device: cells go to the screen buffer with
// WriteConsoleOutputA (never through the character stream, so no byte is
// interpreted), input records come one at a time from "CONIN$".
#include "win32_console.h"

#include <algorithm>
#include <vector>

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

InputRecord convertRecord(const INPUT_RECORD& raw) {
  InputRecord record;
  if (raw.EventType == KEY_EVENT) {
    const KEY_EVENT_RECORD& key = raw.Event.KeyEvent;
    record.kind = RecordKind::Key;
    record.key.keyDown = key.bKeyDown != FALSE;
    record.key.virtualKey = key.wVirtualKeyCode;
    record.key.scanCode = key.wVirtualScanCode;
    record.key.character = static_cast<std::uint8_t>(key.uChar.AsciiChar);
    record.key.controlKeyState = key.dwControlKeyState;
  } else if (raw.EventType == MOUSE_EVENT) {
    const MOUSE_EVENT_RECORD& mouse = raw.Event.MouseEvent;
    record.kind = RecordKind::Mouse;
    record.mouse.position = {mouse.dwMousePosition.Y, mouse.dwMousePosition.X};
    record.mouse.buttonState = mouse.dwButtonState;
    record.mouse.controlKeyState = mouse.dwControlKeyState;
    record.mouse.eventFlags = mouse.dwEventFlags;
  }
  return record;
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

BufferInfo Win32Console::bufferInfo() {
  BufferInfo info;
  CONSOLE_SCREEN_BUFFER_INFO raw;
  if (GetConsoleScreenBufferInfo(output_, &raw)) {
    info.width = raw.dwSize.X;
    info.height = raw.dwSize.Y;
    info.cursor = {raw.dwCursorPosition.Y, raw.dwCursorPosition.X};
  }
  return info;
}

void Win32Console::setCursorPosition(CellPos pos) {
  SetConsoleCursorPosition(output_, COORD{toShort(pos.column), toShort(pos.row)});
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
  const BufferInfo info = bufferInfo();
  if (at.row < 0 || at.row >= info.height || at.column < 0 || at.column >= info.width) return;
  const std::size_t room = static_cast<std::size_t>(info.width - at.column);
  const std::size_t count = std::min(bytes.size(), room);
  if (count == 0) return;

  std::vector<CHAR_INFO> cells(count);
  for (std::size_t i = 0; i < count; ++i) {
    cells[i].Char.AsciiChar = bytes[i];
    cells[i].Attributes = attr;
  }
  SMALL_RECT region{toShort(at.column), toShort(at.row),
                    toShort(at.column + static_cast<int>(count) - 1), toShort(at.row)};
  WriteConsoleOutputA(output_, cells.data(), COORD{toShort(static_cast<int>(count)), 1},
                      COORD{0, 0}, &region);
}

void Win32Console::fillFromTop(int rows, char ch, Attribute attr) {
  const BufferInfo info = bufferInfo();
  const DWORD cells = static_cast<DWORD>(std::max(info.width, 0)) *
                      static_cast<DWORD>(std::clamp(rows, 0, std::max(info.height, 0)));
  DWORD written = 0;
  FillConsoleOutputCharacterA(output_, ch, cells, COORD{0, 0}, &written);
  FillConsoleOutputAttribute(output_, attr, cells, COORD{0, 0}, &written);
}

void Win32Console::fillBuffer(char ch, Attribute attr) {
  fillFromTop(bufferInfo().height, ch, attr);
}

void Win32Console::scrollUp(Attribute fill) {
  const BufferInfo info = bufferInfo();
  if (info.height < 2) {  // nothing to move: the one row only becomes blank
    fillFromTop(info.height, ' ', fill);
    return;
  }
  // Rows 1..bottom move to row 0; the row they leave is filled with blanks.
  const SMALL_RECT moved{0, 1, toShort(info.width - 1), toShort(info.height - 1)};
  CHAR_INFO blank;
  blank.Char.AsciiChar = ' ';
  blank.Attributes = fill;
  ScrollConsoleScreenBufferA(output_, &moved, nullptr, COORD{0, 0}, &blank);
}

void Win32Console::setInputMode(std::uint32_t mode) {
  SetConsoleMode(inputModeHandle_, mode);
}

std::optional<InputRecord> Win32Console::readInput() {
  INPUT_RECORD raw;
  DWORD count = 0;
  // Peeking first keeps the read from blocking on an empty buffer.
  if (!PeekConsoleInputA(input_.get(), &raw, 1, &count) || count == 0) return std::nullopt;
  if (!ReadConsoleInputA(input_.get(), &raw, 1, &count) || count == 0) return std::nullopt;
  return convertRecord(raw);
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
