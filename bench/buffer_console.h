// A console device over the POSIX backend's screen buffer, with no terminal
// behind it: the program draws into the buffer exactly as it does in a real
// terminal, and the benchmark hands the buffer to the VT mirror itself. The
// first wait for input ends the pass (ScriptExhausted, as on the virtual
// console).
#pragma once

#include "platform/platform.h"
#include "platform/screen_buffer.h"

namespace menue::bench {

class BufferConsole : public ConsoleDevice {
 public:
  BufferConsole(int width, int height) : screen_(width, height) {}

  const ScreenBuffer& screen() const { return screen_; }

  bool isConsole() override { return true; }
  BufferInfo bufferInfo() override { return {screen_.width(), screen_.height(), screen_.cursor()}; }
  void setCursorPosition(CellPos pos) override { screen_.setCursor(pos); }
  CursorShape cursorShape() override { return {0, screen_.cursorVisible()}; }
  void setCursorShape(CursorShape shape) override { screen_.setCursorVisible(shape.visible); }
  void setTextAttribute(Attribute) override {}
  void writeCells(CellPos at, std::string_view bytes, Attribute attr) override {
    screen_.write(at, bytes, attr);
  }
  void fillBuffer(char ch, Attribute attr) override { screen_.fill(ch, attr); }
  void scrollUp(Attribute fill) override { screen_.scrollUp(fill); }
  void setInputMode(std::uint32_t) override {}
  std::optional<InputRecord> readInput() override { return std::nullopt; }
  [[noreturn]] void waitInput() override;
  void flushInput() override {}

 private:
  ScreenBuffer screen_;
};

}  // namespace menue::bench
