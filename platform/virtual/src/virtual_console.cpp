// The in-memory console of the tests: a screen buffer of cells and a queue of
// scripted input records.
#include <algorithm>

#include "platform/virtual/virtual_platform.h"

namespace menue {

VirtualConsole::VirtualConsole(int width, int height)
    : width_(width),
      height_(height),
      chars_(static_cast<std::size_t>(width * height), ' '),
      attrs_(static_cast<std::size_t>(width * height), 0x07) {}

BufferInfo VirtualConsole::bufferInfo() {
  return BufferInfo{width_, height_, cursor_};
}

void VirtualConsole::setCursorPosition(CellPos pos) {
  cursor_.row = std::clamp(pos.row, 0, height_ - 1);
  cursor_.column = std::clamp(pos.column, 0, width_ - 1);
}

void VirtualConsole::writeCells(CellPos at, std::string_view bytes, Attribute attr) {
  if (at.row < 0 || at.row >= height_ || at.column < 0) return;
  written_ += bytes;
  for (std::size_t i = 0; i < bytes.size() && at.column + static_cast<int>(i) < width_; ++i) {
    auto index = static_cast<std::size_t>(at.row * width_ + at.column) + i;
    chars_[index] = bytes[i];
    attrs_[index] = attr;
  }
}

void VirtualConsole::fillBuffer(char ch, Attribute attr) {
  std::fill(chars_.begin(), chars_.end(), ch);
  std::fill(attrs_.begin(), attrs_.end(), attr);
}

void VirtualConsole::scrollUp(Attribute fill) {
  auto rowSize = static_cast<std::ptrdiff_t>(width_);
  std::copy(chars_.begin() + rowSize, chars_.end(), chars_.begin());
  std::copy(attrs_.begin() + rowSize, attrs_.end(), attrs_.begin());
  std::fill(chars_.end() - rowSize, chars_.end(), ' ');
  std::fill(attrs_.end() - rowSize, attrs_.end(), fill);
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
  queue_.clear();
}

std::string VirtualConsole::rowText(int row) const {
  return std::string(chars_.begin() + row * width_, chars_.begin() + (row + 1) * width_);
}

std::string VirtualConsole::rowAttributes(int row) const {
  return std::string(attrs_.begin() + row * width_, attrs_.begin() + (row + 1) * width_);
}

char VirtualConsole::cellChar(int row, int column) const {
  return chars_[static_cast<std::size_t>(row * width_ + column)];
}

Attribute VirtualConsole::cellAttribute(int row, int column) const {
  return attrs_[static_cast<std::size_t>(row * width_ + column)];
}

}  // namespace menue
