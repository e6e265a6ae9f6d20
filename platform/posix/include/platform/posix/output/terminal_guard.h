// Leaves the terminal as it was found on every way out: an orderly exit
// (exit or return from main), every signal whose default ends the process
// (SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGALRM, abort, a crash, ...),
// and a stop (SIGTSTP), after which SIGCONT takes the terminal again.
#pragma once

#include <signal.h>

#include <array>
#include <string>
#include <string_view>

#include "platform/posix/output/terminal.h"
#include "platform/posix/output/vt_sequences.h"

namespace menue {

// What the terminal gets whenever the menu lets it go (an exit, a signal, a
// started program): bracketed paste and mouse reporting off, attributes
// reset, lines wrapping again, the cursor shown. One constant, so that every way out says the same;
// a handler can write it without building anything.
inline constexpr std::string_view TerminalLeaveSequence =
    "\x1b[?2004l"
    "\x1b[?1006l\x1b[?1000l"
    "\x1b[0m"
    "\x1b[?7h"
    "\x1b[?25h";
static_assert(TerminalLeaveSequence.starts_with(vt::PasteOff));
static_assert(TerminalLeaveSequence.substr(vt::PasteOff.size()).starts_with(vt::MouseOff));
static_assert(TerminalLeaveSequence.ends_with(vt::ShowCursor));
static_assert(TerminalLeaveSequence.find(vt::AutowrapOn) != std::string_view::npos);

// The signals the menu ignores, which a started program gets with their
// default action: SIGINT and SIGQUIT while a program runs in the foreground,
// SIGXFSZ always (a write past the file-size limit fails with EFBIG and is
// reported, rather than killing the menu), and SIGPIPE, which the menu may
// have inherited ignored.
inline constexpr std::array<int, 4> SignalsChildrenGetDefault = {SIGINT, SIGQUIT, SIGPIPE, SIGXFSZ};

// On a signal that ends the process the terminal gets TerminalLeaveSequence
// and its modes back; then the signal takes its default course, so the
// process dies by it. A crash is handled on a stack of its own, so that one
// of stack overflow is too. On SIGTSTP the terminal is given back the same
// way before the process stops; on SIGCONT it is raw again and
// `resumed()` is readable. `atExit` runs at exit(3) (with `context`) to
// finish orderly.
void armTerminalGuard(const Terminal& terminal, void (*atExit)(void*), void* context);
void disarmTerminalGuard();

// The one file (the LaunchScript) that a signal ending the process removes
// first, in every mode: the handlers of those signals are put in force for
// it where the console has not done so, and stay after it lets go. An
// empty path names none.
void removeAtTermination(const std::string& path);

// Whether the menu holds the terminal in its raw mode (not while a started
// program has it): what a stop gives back and a continue takes again.
void setTerminalHeld(bool held);
// Readable after a SIGCONT that took the terminal again; -1 without a pipe.
int resumedFd();
// Whether such a continue came since the last call: the terminal's picture
// and its mouse and paste modes are then to be sent anew.
bool takeResumed();

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
