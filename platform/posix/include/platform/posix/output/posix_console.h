// The console of the POSIX backend: the screen buffer mirrored to the
// terminal when the core presents it, and terminal input decoded into
// console records.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/posix/input/input_decoder.h"
#include "platform/posix/input/resize_signal.h"
#include "platform/posix/output/terminal.h"
#include "platform/posix/output/vt_mirror.h"
#include "platform/posix/processes/child_reaper.h"
#include "platform/posix/processes/terminal_handover.h"
#include "platform/screen_buffer.h"

namespace menue {

class PosixConsole : public ConsoleDevice, public TerminalHandover {
 public:
  explicit PosixConsole(ChildReaper& children);
  ~PosixConsole() override;
  PosixConsole(const PosixConsole&) = delete;
  PosixConsole& operator=(const PosixConsole&) = delete;

  BufferInfo bufferInfo() override;
  void setCursorPosition(CellPos pos) override { screen_.setCursor(pos); }
  CursorShape cursorShape() override { return {cursorSize_, screen_.cursorVisible()}; }
  void setCursorShape(CursorShape shape) override;
  void setTextAttribute(Attribute attr) override { textAttribute_ = attr; }
  void writeCells(CellPos at, std::string_view bytes, Attribute attr) override;
  void writeText(CellPos at, std::string_view utf8, Attribute attr) override;
  void fillBuffer(char ch, Attribute attr) override { screen_.fill(ch, attr); }
  void scrollUp(Attribute fill) override { screen_.scrollUp(fill); }
  // Sends the changed cells to the terminal, or the notice in their place.
  void present() override;
  WindowSize windowSize() override;
  void showNotice(std::string_view line) override;

  void setInputMode(std::uint32_t mode) override;
  std::optional<InputRecord> readInput() override;
  void waitInput() override;
  void flushInput() override;

  // A started program gets the terminal in its normal mode, in the menu's
  // text colours; afterwards the menu takes it back.
  void suspendForChild() override;
  void resumeAfterChild() override;
  // Leaves the terminal as it was found; the screen content stays.
  void finish();

 private:
  // Reads what the terminal has into the decoder: after a poll said it is
  // readable (`ready`), or else only if a poll without waiting finds input.
  void pump(bool ready);
  bool applyResize();
  bool applyResume();
  // Shows the notice alone on a cleared terminal; false when there is none
  // (any more), and the buffer is to be sent.
  bool presentNotice();
  // Bracketed paste, and the mouse when the core has it on: what the menu
  // switches on whenever it takes the terminal.
  void sendHeldModes() const;
  void sendModes(std::string_view sequences) const;

  ChildReaper& children_;
  Terminal terminal_;
  ResizeSignal resize_;
  WindowSize window_;
  ScreenBuffer screen_;
  VtMirror mirror_;
  InputDecoder decoder_;
  Attribute textAttribute_ = 0x07;  // light grey on black, as a console starts
  int cursorSize_ = 0;              // a terminal reports no cursor size
  std::string notice_;              // asked for by the core
  std::string noticeShown_;         // on the terminal now
  bool resizeToTell_ = false;
  bool mouseOn_ = false;
  bool raw_ = false;
  bool finished_ = false;
};

}  // namespace menue
