// The monotonic clock and pauses that sleep through signals.
#include "platform/posix/input/posix_clock.h"

#include <time.h>

#include <cerrno>
#include <cstdio>

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

WallTime PosixClock::now() {
  const time_t seconds = time(nullptr);
  tm local{};
  localtime_r(&seconds, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  return {static_cast<std::int64_t>(seconds), text};
}

}  // namespace menue
