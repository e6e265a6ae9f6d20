// Time for the POSIX backend: the monotonic clock and the program's pauses.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace menue {

class PosixConsole;

std::uint64_t monotonicMs();

class PosixClock : public Clock {
 public:
  explicit PosixClock(PosixConsole& console) : console_(console) {}
  // Shows the screen first: a pause is for reading it.
  void sleepMs(int milliseconds) override;

 private:
  PosixConsole& console_;
};

}  // namespace menue
