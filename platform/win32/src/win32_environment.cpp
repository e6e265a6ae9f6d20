// The environment block read entry by entry in its own order, in the
// system form, and Sleep.
#include "platform/win32/win32_environment.h"

#include <cwchar>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"

namespace menue::win32 {

std::vector<std::string> Win32Environment::entries() {
  std::vector<std::string> result;
  // The wide block: the ANSI one would turn a TEMP outside the ANSI code
  // page into a best-fit path that does not exist.
  LPWCH block = GetEnvironmentStringsW();
  if (block == nullptr) return result;
  // The block is "NAME=value\0" entries ended by an empty one.
  for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    result.push_back(fromWide(entry));
  }
  FreeEnvironmentStringsW(block);
  return result;
}

void Win32Clock::sleepMs(int milliseconds) {
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace menue::win32
