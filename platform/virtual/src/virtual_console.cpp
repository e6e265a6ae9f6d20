// The in-memory console of the tests: the shared screen buffer and a queue of
// scripted input records.
#include "platform/virtual/virtual_console.h"

#include <algorithm>

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
