// The backend the program runs on: chosen at build time (the Windows console
// on Windows, the POSIX terminal elsewhere). Owns the console for the run and
// gives it back as it found it when destroyed.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace menue {

class NativePlatform {
 public:
  virtual ~NativePlatform() = default;
  virtual Platform& platform() = 0;
};

// Sets up the native console; never fails (without a console the output
// calls simply do nothing).
std::unique_ptr<NativePlatform> createNativePlatform();

}  // namespace menue
