// The virtual console of the tests: a screen buffer read back cell by cell
// and input records a test queues, handed over only when the program waits.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/screen_buffer.h"

namespace menue {

// Thrown by the virtual console when the program waits and the script has
// no more input: ends a scenario.
struct ScriptExhausted {};

class VirtualConsole : public ConsoleDevice {
 public:
  VirtualConsole(int width = 80, int height = 25);

  BufferInfo bufferInfo() override;
  void setCursorPosition(CellPos pos) override { screen_.setCursor(pos); }
  CursorShape cursorShape() override { return {cursorSize_, screen_.cursorVisible()}; }
  void setCursorShape(CursorShape shape) override;
  void setTextAttribute(Attribute attr) override { textAttribute_ = attr; }
  void writeCells(CellPos at, std::string_view bytes, Attribute attr) override;
  void writeText(CellPos at, std::string_view utf8, Attribute attr) override;
  void fillBuffer(char ch, Attribute attr) override { screen_.fill(ch, attr); }
  void scrollUp(Attribute fill) override { screen_.scrollUp(fill); }
  void present() override;
  WindowSize windowSize() override;
  void showNotice(std::string_view line) override { notice_ = line; }
  void setInputMode(std::uint32_t mode) override;
  std::optional<InputRecord> readInput() override;
  void waitInput() override;
  void flushInput() override;

  // Test side.
  void push(const InputRecord& record) { queue_.push_back(record); }
  // The window the user resized to, told as the console tells it (a
  // WindowSize record); until then it shows the whole buffer, and a
  // buffer smaller than LeastWindow counts as fitting.
  void resizeWindow(WindowSize window);
  // The notice the core asked to show in place of the buffer ("" for none).
  const std::string& notice() const { return notice_; }
  // Called when the program waits on an empty queue; returns whether it
  // queued more input. Without one (or when it queues nothing) the wait
  // throws ScriptExhausted.
  std::function<bool()> onIdle;
  const ScreenBuffer& screen() const { return screen_; }
  // A row (0-based) as code page 850 bytes ('?' for a character code page
  // 850 cannot show), as UTF-8 (a wide character once), and its attributes.
  std::string rowText(int row) const;
  std::string rowCharacters(int row) const;
  std::string rowAttributes(int row) const {
    const std::span<const Attribute> attributes = screen_.rowAttributes(row);
    return std::string(attributes.begin(), attributes.end());
  }
  char cellChar(int row, int column) const;
  Attribute cellAttribute(int row, int column) const { return screen_.cell(row, column).attr; }
  Attribute textAttribute() const { return textAttribute_; }
  std::uint32_t inputMode() const { return inputMode_; }
  const std::vector<std::uint32_t>& inputModes() const { return inputModes_; }
  CellPos cursor() const { return screen_.cursor(); }
  int width() const { return screen_.width(); }
  int height() const { return screen_.height(); }
  int waits() const { return waits_; }
  int flushes() const { return flushes_; }
  int presents() const { return presents_; }
  // Whether every cell written so far has been presented.
  bool presented() const { return presentedAt_ == screen_.generation(); }
  std::size_t pending() const { return queue_.size(); }
  // Every byte written to cells since the last takeWritten, in order: lets a
  // test see messages that a later redraw has already cleared.
  std::string takeWritten() { return std::exchange(written_, {}); }

 private:
  ScreenBuffer screen_;
  int cursorSize_ = 25;
  Attribute textAttribute_ = 0x07;
  std::uint32_t inputMode_ = 0x7;
  std::vector<std::uint32_t> inputModes_;
  std::deque<InputRecord> queue_;
  int waits_ = 0;
  int flushes_ = 0;
  int presents_ = 0;
  std::uint64_t presentedAt_ = 0;  // the buffer's write counter at the last present
  std::string written_;
  std::optional<WindowSize> window_;
  std::string notice_;
};

}  // namespace menue
