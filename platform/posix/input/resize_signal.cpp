// The SIGWINCH handler and its self-pipe.
#include "platform/posix/input/resize_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace menue {

namespace {

volatile sig_atomic_t resized = 0;
int pipeFds[2] = {-1, -1};
struct sigaction previousAction {};

void onResize(int) {
  const int savedErrno = errno;
  resized = 1;
  if (pipeFds[1] >= 0) {
    const char wake = 'w';
    [[maybe_unused]] const ssize_t n = write(pipeFds[1], &wake, 1);
  }
  errno = savedErrno;
}

}  // namespace

ResizeSignal::ResizeSignal() {
  if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) pipeFds[0] = pipeFds[1] = -1;
  struct sigaction action {};
  action.sa_handler = onResize;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(SIGWINCH, &action, &previousAction);
}

ResizeSignal::~ResizeSignal() {
  sigaction(SIGWINCH, &previousAction, nullptr);
  for (int& fd : pipeFds) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

int ResizeSignal::fd() const {
  return pipeFds[0];
}

bool ResizeSignal::take() {
  if (!resized) return false;
  resized = 0;
  char drain[64];
  while (pipeFds[0] >= 0 && read(pipeFds[0], drain, sizeof drain) > 0) {
  }
  return true;
}

}  // namespace menue
