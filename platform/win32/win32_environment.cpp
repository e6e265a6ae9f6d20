// The environment block read entry by entry in its own order, and Sleep.
#include "win32_environment.h"

#include <cstring>

#include "win32_api.h"

namespace menue::win32 {

std::vector<std::string> Win32Environment::entries() {
  std::vector<std::string> result;
  LPCH block = GetEnvironmentStringsA();
  if (block == nullptr) return result;
  // The block is "NAME=value\0" entries ended by an empty one.
  for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
    result.emplace_back(entry);
  }
  FreeEnvironmentStringsA(block);
  return result;
}

void Win32Clock::sleepMs(int milliseconds) {
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace menue::win32
