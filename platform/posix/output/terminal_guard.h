// Leaves the terminal as it was found on every way out: an orderly exit
// (exit or return from main), SIGTERM, SIGHUP, SIGINT, SIGQUIT, abort.
#pragma once

#include <signal.h>

#include "output/terminal.h"

namespace menue {

// On a fatal signal the terminal gets mouse reporting off, attributes reset,
// the cursor shown and its modes back; then the signal takes its default
// course. `atExit` runs at exit(3) (with `context`) to finish orderly.
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
