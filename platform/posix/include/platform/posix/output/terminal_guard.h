// Leaves the terminal as it was found on every way out: an orderly exit
// (exit or return from main), SIGTERM, SIGHUP, SIGINT, SIGQUIT, abort, and a
// crash (SIGSEGV, SIGBUS, SIGFPE, SIGILL).
#pragma once

#include <signal.h>

#include <string_view>

#include "platform/posix/output/terminal.h"
#include "platform/posix/output/vt_sequences.h"

namespace menue {

// What the terminal gets whenever the menu lets it go (an exit, a signal, a
// started program): bracketed paste and mouse reporting off, attributes
// reset, the cursor shown. One constant, so that every way out says the same;
// a handler can write it without building anything.
inline constexpr std::string_view TerminalLeaveSequence =
    "\x1b[?2004l"
    "\x1b[?1006;1000l"
    "\x1b[0m"
    "\x1b[?25h";
static_assert(TerminalLeaveSequence.starts_with(vt::PasteOff));
static_assert(TerminalLeaveSequence.substr(vt::PasteOff.size()).starts_with(vt::MouseOff));
static_assert(TerminalLeaveSequence.ends_with(vt::ShowCursor));

// On a fatal signal the terminal gets TerminalLeaveSequence and its modes
// back; then the signal takes its default course. A crash is handled on a
// stack of its own, so that one of stack overflow is too. `atExit` runs at exit(3)
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
