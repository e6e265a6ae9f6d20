// The one place the Windows backend includes <windows.h>, with the trimming
// every backend file wants, plus the small helpers its calls share: an owned
// handle and the scope in which a file, directory or process call runs.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, which it needs: CommandLineToArgvW.
#include <shellapi.h>

#include "platform/platform.h"

namespace menue::win32 {

// A kernel handle closed when it goes out of scope.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() { reset(); }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void reset() {
    if (valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Brackets one platform call: the system's critical-error boxes are off (a
// drive without a medium fails with a code instead of asking the user) and
// the last-error code starts at 0, so a failure's own code is what remains.
class PlatformCallScope {
 public:
  PlatformCallScope() : previousMode_(SetErrorMode(SEM_FAILCRITICALERRORS)) { SetLastError(0); }
  ~PlatformCallScope() { SetErrorMode(previousMode_); }
  PlatformCallScope(const PlatformCallScope&) = delete;
  PlatformCallScope& operator=(const PlatformCallScope&) = delete;

  // The code of the call that just failed; a failure that left no code
  // still counts as one.
  static PlatformCode failure() {
    const DWORD error = GetLastError();
    return error != 0 ? static_cast<PlatformCode>(error) : code::InvalidFunction;
  }

 private:
  UINT previousMode_;
};

}  // namespace menue::win32
