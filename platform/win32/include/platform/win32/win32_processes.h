// Starting programs with CreateProcessW in the menu's console.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/win32/win32_console.h"

namespace menue::win32 {

class Win32Processes : public Processes {
 public:
  // Ctrl+C and Ctrl+Break never end the menu while this object lives.
  // Without a console (the command line's runs) children get the console
  // as it is.
  explicit Win32Processes(Win32Console* console);
  ~Win32Processes() override;
  Win32Processes(const Win32Processes&) = delete;
  Win32Processes& operator=(const Win32Processes&) = delete;
  PlatformCode start(const std::string& commandLine, bool wait) override;
  PlatformCode runScript(const std::string& path, bool wait) override;
  PlatformCode runOnPath(const std::string& command, const std::string& path) override;
  int lastExitStatus() const override { return lastExitStatus_; }

 private:
  // CreateProcessW of `line` (it may write into it, so it is a copy), with
  // the program `application` where not null.
  PlatformCode create(const wchar_t* application, std::wstring line, bool wait);

  Win32Console* console_;
  int lastExitStatus_ = 0;
};

}  // namespace menue::win32
