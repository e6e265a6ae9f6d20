// The controlling terminal: where output goes (standard output when it is a
// terminal, else /dev/tty), where input comes from (/dev/tty), the modes as
// found and the raw mode of the menu, and plain reads and writes.
#pragma once

#include <termios.h>

#include <optional>
#include <string>
#include <string_view>

namespace menue {

struct TerminalSize {
  int columns = 80;
  int rows = 24;
};

class Terminal {
 public:
  Terminal();
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  bool hasOutput() const { return outFd_ >= 0; }
  bool hasInput() const { return inFd_ >= 0; }
  int outputFd() const { return outFd_; }
  int inputFd() const { return inFd_; }
  // The descriptor whose modes are set, and the modes as found.
  int modeFd() const { return inFd_ >= 0 ? inFd_ : outFd_; }
  const std::optional<termios>& originalModes() const { return original_; }

  // Writes everything; gives up quietly when the terminal is gone.
  void write(std::string_view bytes) const;
  // Appends whatever input is waiting, without blocking. False when the
  // terminal has hung up.
  bool readAvailable(std::string& out) const;
  // The same once a poll has said the terminal is readable: no poll first,
  // and a read that did not fill its buffer was all there was.
  bool readReady(std::string& out) const;
  // Empties the terminal's input queue.
  void discardInput() const;
  // Nothing when the terminal does not say.
  std::optional<TerminalSize> size() const;

  // No echo, no line editing, no signal keys, no flow control, no CR->NL:
  // the modes as found, so changed. Nothing when the modes are unknown.
  std::optional<termios> rawModes() const;
  void enterRawMode() const;
  void restoreModes() const;

 private:
  int outFd_ = -1;
  int inFd_ = -1;
  bool ownOut_ = false;
  std::optional<termios> original_;
};

}  // namespace menue
