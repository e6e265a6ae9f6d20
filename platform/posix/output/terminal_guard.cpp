// Signal handlers and the exit hook that give the terminal back. Only
// async-signal-safe calls happen in a handler: write(2), tcsetattr(3),
// sigaction(2), raise(3).
#include "platform/posix/output/terminal_guard.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string_view>

namespace menue {

namespace {

constexpr std::array<int, 9> FatalSignals = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGABRT,
                                             SIGSEGV, SIGBUS, SIGFPE, SIGILL};

// The stack the handlers run on: a crash may come from an exhausted stack.
alignas(16) char signalStack[64 * 1024];

struct GuardState {
  volatile sig_atomic_t armed = 0;
  int outFd = -1;
  int modeFd = -1;
  bool haveModes = false;
  termios modes{};
  void (*atExit)(void*) = nullptr;
  void* context = nullptr;
  bool exitRegistered = false;
  bool handlersInstalled = false;
  std::array<struct sigaction, FatalSignals.size()> previous{};
};

GuardState guard;

void writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void restoreFromSignal() {
  if (!guard.armed) return;
  guard.armed = 0;
  if (guard.outFd >= 0) writeAll(guard.outFd, TerminalLeaveSequence);
  if (guard.haveModes) tcsetattr(guard.modeFd, TCSANOW, &guard.modes);
}

void onFatalSignal(int signalNumber) {
  restoreFromSignal();
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signalNumber, &fallback, nullptr);
  // Blocked while this handler runs; delivered with its default action on
  // return. A crash that repeats on return meets the default action too.
  raise(signalNumber);
}

void onExit() {
  if (guard.armed && guard.atExit) guard.atExit(guard.context);
}

}  // namespace

void armTerminalGuard(const Terminal& terminal, void (*atExit)(void*), void* context) {
  guard.outFd = terminal.outputFd();
  guard.modeFd = terminal.modeFd();
  guard.haveModes = terminal.originalModes().has_value();
  if (guard.haveModes) guard.modes = *terminal.originalModes();
  guard.atExit = atExit;
  guard.context = context;
  guard.armed = 1;
  if (!guard.exitRegistered) {
    std::atexit(onExit);
    guard.exitRegistered = true;
  }
  struct sigaction action {};
  action.sa_handler = onFatalSignal;
  action.sa_flags = SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int s : FatalSignals) sigaddset(&action.sa_mask, s);
  if (guard.handlersInstalled) return;
  stack_t alternate{};
  alternate.ss_sp = signalStack;
  alternate.ss_size = sizeof signalStack;
  sigaltstack(&alternate, nullptr);
  for (std::size_t i = 0; i < FatalSignals.size(); ++i) {
    sigaction(FatalSignals[i], &action, &guard.previous[i]);
  }
  guard.handlersInstalled = true;
}

void disarmTerminalGuard() {
  guard.armed = 0;
  guard.atExit = nullptr;
  if (!guard.handlersInstalled) return;
  for (std::size_t i = 0; i < FatalSignals.size(); ++i) {
    sigaction(FatalSignals[i], &guard.previous[i], nullptr);
  }
  guard.handlersInstalled = false;
}

void endOnHangup() {
  onFatalSignal(SIGHUP);
  // SIGHUP is not blocked here, so the raise above has ended the process;
  // this is for the impossible case that it did not.
  _exit(0);
}

InterruptsIgnored::InterruptsIgnored() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGINT, &ignore, &previousInt_);
  sigaction(SIGQUIT, &ignore, &previousQuit_);
}

InterruptsIgnored::~InterruptsIgnored() {
  sigaction(SIGINT, &previousInt_, nullptr);
  sigaction(SIGQUIT, &previousQuit_, nullptr);
}

}  // namespace menue
