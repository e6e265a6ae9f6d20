// The process environment and the pauses, from the Windows API.
#pragma once

#include "platform/platform.h"

namespace menue::win32 {

class Win32Environment : public Environment {
 public:
  std::vector<std::string> entries() override;
  std::string stateDirectory() override;
};

class Win32Clock : public Clock {
 public:
  void sleepMs(int milliseconds) override;
  WallTime now() override;
};

}  // namespace menue::win32
