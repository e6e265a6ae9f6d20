// Signal handlers and the exit hook that give the terminal back and remove
// the LaunchScript, and the stop and continue that give it back and take it
// again. Only async-signal-safe calls happen in a handler: write(2),
// tcsetattr(3), unlink(2), sigaction(2), sigprocmask(2), raise(3).
#include "platform/posix/output/terminal_guard.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace menue {

namespace {

// Every signal whose default action ends the process, but SIGKILL (which
// cannot be caught) and SIGXFSZ (which the menu ignores).
constexpr auto FatalSignals = std::to_array<int>({
    SIGTERM,   SIGHUP,  SIGINT,  SIGQUIT, SIGABRT,   SIGSEGV, SIGBUS,  SIGFPE, SIGILL,
    SIGUSR1,   SIGUSR2, SIGALRM, SIGPIPE, SIGVTALRM, SIGPROF, SIGXCPU, SIGSYS, SIGTRAP,
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGIO
    SIGIO,
#endif
});
// The stop from outside and the continue after it.
constexpr std::array<int, 2> StopSignals = {SIGTSTP, SIGCONT};

// The stack the handlers run on: a crash may come from an exhausted stack.
alignas(16) char signalStack[64 * 1024];

struct GuardState {
  volatile sig_atomic_t armed = 0;
  volatile sig_atomic_t held = 0;
  volatile sig_atomic_t resumed = 0;
  int outFd = -1;
  int modeFd = -1;
  bool haveModes = false;
  termios modes{};
  termios raw{};
  int resumePipe[2] = {-1, -1};
  void (*atExit)(void*) = nullptr;
  void* context = nullptr;
  bool exitRegistered = false;
  bool handlersInstalled = false;
  bool fatalInstalled = false;
  // The file removed on a terminating signal, NUL-terminated; built before
  // any signal can need it.
  volatile sig_atomic_t removal = 0;
  char removalPath[PATH_MAX] = {};
  std::array<struct sigaction, FatalSignals.size()> previous{};
  std::array<struct sigaction, StopSignals.size()> previousStop{};
};

GuardState guard;

void writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

// The terminal as the program found it: what an exit, a fatal signal and a
// stop leave.
void giveBack() {
  if (guard.outFd >= 0) writeAll(guard.outFd, TerminalLeaveSequence);
  if (guard.haveModes) tcsetattr(guard.modeFd, TCSANOW, &guard.modes);
}

void restoreFromSignal() {
  if (!guard.armed) return;
  guard.armed = 0;
  giveBack();
}

void onFatalSignal(int signalNumber) {
  restoreFromSignal();
  if (guard.removal) unlink(guard.removalPath);
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  sigaction(signalNumber, &fallback, nullptr);
  // Blocked while this handler runs; delivered with its default action on
  // return. A crash that repeats on return meets the default action too.
  raise(signalNumber);
}

struct sigaction handlerAction(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  action.sa_flags = SA_ONSTACK;
  sigemptyset(&action.sa_mask);
  for (int s : FatalSignals) sigaddset(&action.sa_mask, s);
  return action;
}

// The terminal raw again after a stop, at once, so keys typed from now on
// neither echo nor wait for Enter; the modes and the picture are sent by
// the console's next wait or present.
void retake() {
  if (!guard.armed || !guard.held) return;
  if (guard.haveModes) tcsetattr(guard.modeFd, TCSANOW, &guard.raw);
  guard.resumed = 1;
  if (guard.resumePipe[1] >= 0) {
    const char wake = 'c';
    [[maybe_unused]] const ssize_t n = write(guard.resumePipe[1], &wake, 1);
  }
}

void onContinue(int) {
  const int savedErrno = errno;
  retake();
  errno = savedErrno;
}

void onStop(int) {
  const int savedErrno = errno;
  if (guard.armed && guard.held) giveBack();
  // Stop as the default action does, right here: SIGTSTP, blocked while
  // this handler runs, is raised and let through with its default action.
  struct sigaction stop {};
  stop.sa_handler = SIG_DFL;
  sigemptyset(&stop.sa_mask);
  struct sigaction own {};
  sigaction(SIGTSTP, &stop, &own);
  raise(SIGTSTP);
  sigset_t stopOnly;
  sigemptyset(&stopOnly);
  sigaddset(&stopOnly, SIGTSTP);
  sigprocmask(SIG_UNBLOCK, &stopOnly, nullptr);
  // Continued; or never stopped, as the kernel does not stop a process
  // group without a parent in the session (an orphaned one): either way the
  // terminal is the menu's again.
  sigaction(SIGTSTP, &own, nullptr);
  retake();
  errno = savedErrno;
}

void onExit() {
  if (guard.armed && guard.atExit) guard.atExit(guard.context);
}

void installFatalHandlers() {
  if (guard.fatalInstalled) return;
  stack_t alternate{};
  alternate.ss_sp = signalStack;
  alternate.ss_size = sizeof signalStack;
  sigaltstack(&alternate, nullptr);
  const struct sigaction fatal = handlerAction(onFatalSignal);
  for (std::size_t i = 0; i < FatalSignals.size(); ++i) {
    sigaction(FatalSignals[i], &fatal, &guard.previous[i]);
  }
  guard.fatalInstalled = true;
}

}  // namespace

void removeAtTermination(const std::string& path) {
  // Not named while the name changes: a signal meanwhile removes nothing.
  guard.removal = 0;
  if (path.empty() || path.size() >= sizeof guard.removalPath) return;
  path.copy(guard.removalPath, path.size());
  guard.removalPath[path.size()] = '\0';
  installFatalHandlers();
  guard.removal = 1;
}

void armTerminalGuard(const Terminal& terminal, void (*atExit)(void*), void* context) {
  guard.outFd = terminal.outputFd();
  guard.modeFd = terminal.modeFd();
  guard.haveModes = terminal.originalModes().has_value();
  if (guard.haveModes) {
    guard.modes = *terminal.originalModes();
    guard.raw = *terminal.rawModes();
  }
  guard.atExit = atExit;
  guard.context = context;
  guard.armed = 1;
  if (!guard.exitRegistered) {
    std::atexit(onExit);
    guard.exitRegistered = true;
  }
  if (guard.resumePipe[0] < 0 && pipe2(guard.resumePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    guard.resumePipe[0] = guard.resumePipe[1] = -1;
  }
  if (guard.handlersInstalled) return;
  installFatalHandlers();
  // SIGCONT stays open during the stop's handler: it is what ends the stop.
  const struct sigaction stop = handlerAction(onStop);
  struct sigaction resume = handlerAction(onContinue);
  resume.sa_flags |= SA_RESTART;
  sigaction(SIGTSTP, &stop, &guard.previousStop[0]);
  sigaction(SIGCONT, &resume, &guard.previousStop[1]);
  guard.handlersInstalled = true;
}

void disarmTerminalGuard() {
  guard.armed = 0;
  guard.held = 0;
  guard.atExit = nullptr;
  if (!guard.handlersInstalled) return;
  // A LaunchScript named still goes with a terminating signal.
  if (!guard.removal) {
    for (std::size_t i = 0; i < FatalSignals.size(); ++i) {
      sigaction(FatalSignals[i], &guard.previous[i], nullptr);
    }
    guard.fatalInstalled = false;
  }
  for (std::size_t i = 0; i < StopSignals.size(); ++i) {
    sigaction(StopSignals[i], &guard.previousStop[i], nullptr);
  }
  guard.handlersInstalled = false;
}

void setTerminalHeld(bool held) {
  guard.held = held ? 1 : 0;
}

int resumedFd() {
  return guard.resumePipe[0];
}

bool takeResumed() {
  if (!guard.resumed) return false;
  guard.resumed = 0;
  char drain[64];
  while (guard.resumePipe[0] >= 0 && read(guard.resumePipe[0], drain, sizeof drain) > 0) {
  }
  return true;
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
