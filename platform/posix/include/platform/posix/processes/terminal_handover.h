// Handing the terminal to a started program and taking it back; the
// console does it, tests can watch it.
#pragma once

namespace menue {

class TerminalHandover {
 public:
  virtual ~TerminalHandover() = default;
  // The screen is shown and the terminal is in its normal mode.
  virtual void suspendForChild() = 0;
  // The menu owns the terminal again; what it shows is unknown.
  virtual void resumeAfterChild() = 0;
};

}  // namespace menue
