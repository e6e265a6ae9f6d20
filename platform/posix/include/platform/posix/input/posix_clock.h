// Time for the POSIX backend: the monotonic clock and the program's pauses.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace menue {

std::uint64_t monotonicMs();

class PosixClock : public Clock {
 public:
  void sleepMs(int milliseconds) override;
  WallTime now() override;
};

}  // namespace menue
