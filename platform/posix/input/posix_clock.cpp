// The monotonic clock and pauses that sleep through signals.
#include "platform/posix/input/posix_clock.h"

#include <time.h>

#include <cerrno>

namespace menue {

std::uint64_t monotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
         static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
}

void PosixClock::sleepMs(int milliseconds) {
  if (milliseconds <= 0) return;
  timespec remaining{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}

}  // namespace menue
