// The in-memory console of the tests: the shared screen buffer and a queue of
// scripted input records.
#include "platform/virtual/virtual_console.h"

#include <algorithm>

#include "platform/code_pages.h"
#include "platform/utf8.h"

namespace menue {

VirtualConsole::VirtualConsole(int width, int height) : screen_(width, height) {}

BufferInfo VirtualConsole::bufferInfo() {
  return BufferInfo{screen_.width(), screen_.height(), screen_.cursor()};
}

void VirtualConsole::setCursorShape(CursorShape shape) {
  cursorSize_ = shape.size;
  screen_.setCursorVisible(shape.visible);
}

void VirtualConsole::writeCells(CellPos at, std::string_view bytes, Attribute attr) {
  written_ += bytes.substr(0, screen_.write(at, bytes, attr));
}

void VirtualConsole::writeText(CellPos at, std::string_view utf8, Attribute attr) {
  // What was written, told in code page 850 as the byte writes are.
  const auto count = static_cast<int>(screen_.writeText(at, utf8, attr));
  for (int column = at.column; column < at.column + count; ++column) {
    if (screen_.cell(at.row, column).ch != WideContinuation) written_ += cellChar(at.row, column);
  }
}

char VirtualConsole::cellChar(int row, int column) const {
  const int byte = cellByteOf(screen_.cell(row, column).ch);
  return static_cast<char>(byte < 0 ? '?' : byte);
}

std::string VirtualConsole::rowText(int row) const {
  std::string text;
  for (int column = 0; column < screen_.width(); ++column) {
    if (screen_.cell(row, column).ch != WideContinuation) text += cellChar(row, column);
  }
  return text;
}

std::string VirtualConsole::rowCharacters(int row) const {
  std::string text;
  for (const char32_t c : screen_.rowText(row)) {
    if (c != WideContinuation) appendUtf8(text, c);
  }
  return text;
}

void VirtualConsole::present() {
  ++presents_;
  presentedAt_ = screen_.generation();
}

WindowSize VirtualConsole::windowSize() {
  if (window_) return *window_;
  return {std::max(screen_.width(), LeastWindow.columns),
          std::max(screen_.height(), LeastWindow.rows)};
}

void VirtualConsole::resizeWindow(WindowSize window) {
  window_ = window;
  InputRecord record;
  record.kind = RecordKind::WindowSize;
  push(record);
}

void VirtualConsole::setInputMode(std::uint32_t mode) {
  inputMode_ = mode;
  if (inputModes_.empty() || inputModes_.back() != mode) inputModes_.push_back(mode);
}

std::optional<InputRecord> VirtualConsole::readInput() {
  if (queue_.empty()) return std::nullopt;
  InputRecord record = queue_.front();
  queue_.pop_front();
  return record;
}

void VirtualConsole::waitInput() {
  ++waits_;
  if (!queue_.empty()) return;
  if (onIdle && onIdle() && !queue_.empty()) return;
  throw ScriptExhausted{};
}

void VirtualConsole::flushInput() {
  ++flushes_;
  std::erase_if(queue_, [](const InputRecord& r) { return r.kind != RecordKind::Paste; });
}

}  // namespace menue
