// The environment block read entry by entry in its own order, in the
// system form, and Sleep.
#include "platform/win32/win32_environment.h"

#include <cstdio>
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

std::string Win32Environment::stateDirectory() {
  wchar_t local[32768];
  const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", local, 32768);
  if (length == 0 || length >= 32768) return {};
  return fromWide(std::wstring_view(local, length)) + "\\menue";
}

WallTime Win32Clock::now() {
  FILETIME file;
  GetSystemTimeAsFileTime(&file);
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
  // 100 ns ticks since 1601 to seconds since 1970.
  const auto seconds = static_cast<std::int64_t>(ticks / 10000000u) - 11644473600LL;
  SYSTEMTIME local;
  GetLocalTime(&local);
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", local.wYear, local.wMonth,
                local.wDay, local.wHour, local.wMinute, local.wSecond);
  return {seconds, text};
}

void Win32Clock::sleepMs(int milliseconds) {
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace menue::win32
