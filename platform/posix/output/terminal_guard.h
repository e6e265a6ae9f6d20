// Leaves the terminal as it was found on every way out: an orderly exit
// (exit or return from main), SIGTERM, SIGHUP, SIGINT, SIGQUIT, abort, and a
// crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL).
#pragma once

#include <signal.h>

#include <array>
#include <string_view>

#include "output/terminal.h"
#include "output/vt_sequences.h"

namespace menue {

// What the terminal is sent on every way out, in this order, before its
// modes come back: the orderly finish and the signal handlers alike.
inline constexpr std::array<std::string_view, 3> LeaveSequence = {vt::MouseOff, vt::ResetAttributes,
                                                                  vt::ShowCursor};

// On a fatal signal the terminal gets the leave sequence and its modes back;
// then the signal takes its default course. A crash is handled on a stack of
// its own, so that one of stack overflow is too. `atExit` runs at exit(3)
// (with `context`) to finish orderly.
void armTerminalGuard(const Terminal& terminal, void (*atExit)(void*), void* context);
void disarmTerminalGuard();

// The terminal is gone: restore what can be restored and end as a hangup would.
[[noreturn]] void endOnHangup();

// While a program runs in the foreground, SIGINT and SIGQUIT are the
// program's business: the menu ignores them for the scope.
class InterruptsIgnored {
 public:
  InterruptsIgnored();
  ~InterruptsIgnored();
  InterruptsIgnored(const InterruptsIgnored&) = delete;
  InterruptsIgnored& operator=(const InterruptsIgnored&) = delete;

 private:
  struct sigaction previousInt_ {};
  struct sigaction previousQuit_ {};
};

}  // namespace menue
