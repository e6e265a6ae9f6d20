// The directories of the program's own state on Windows: made with their
// parents (under %LOCALAPPDATA% they inherit the user's private access),
// and listed with the sizes of their files.
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_text.h"

namespace menue::win32 {

PlatformCode Win32Files::makePrivateDirectory(const std::string& path) {
  PlatformCallScope scope;
  if (path.empty()) return code::PathNotFound;
  for (std::size_t cut = path.find_first_of("\\/", 3);; cut = path.find_first_of("\\/", cut + 1)) {
    const std::string part = path.substr(0, cut);
    if (!CreateDirectoryW(toWide(part).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      return PlatformCallScope::failure();
    }
    if (cut == std::string::npos) break;
  }
  const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PlatformCallScope::failure();
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? code::Success : code::DirectoryNameInvalid;
}

std::vector<ListedFile> Win32Files::listDirectory(const std::string& path) {
  PlatformCallScope scope;
  std::vector<ListedFile> listed;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(toWide(path + "\\*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return listed;
  do {
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
    const std::uint64_t size =
        (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    listed.push_back({fromWide(data.cFileName), size});
  } while (FindNextFileW(search, &data));
  FindClose(search);
  return listed;
}

}  // namespace menue::win32
