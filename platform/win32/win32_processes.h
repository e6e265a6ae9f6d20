// Starting programs with CreateProcessA in the menu's console.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_console.h"

namespace menue::win32 {

class Win32Processes : public Processes {
 public:
  explicit Win32Processes(Win32Console& console) : console_(console) {}
  PlatformCode start(const std::string& commandLine, bool wait) override;

 private:
  Win32Console& console_;
};

}  // namespace menue::win32
