// The lock every writer of this program holds on a file's directory while
// it compares and replaces the file.
#pragma once

#include <string>

#include "platform/win32/win32_api.h"

namespace menue::win32 {

// A mutex named after the directory's identity on its volume, so every
// spelling of the directory meets the same one. The system gives it up when
// its process dies, and no file is left behind. Where the directory has no
// identity to go by, nothing is locked and the comparison alone stands.
class DirectoryLock {
 public:
  // `path` names a file; its directory is locked, waiting at most
  // PatienceMs while another writer holds it.
  static constexpr DWORD PatienceMs = 2000;
  explicit DirectoryLock(const std::wstring& path);
  // Whether another writer held it all that while: the edit gives up
  // (LockViolation), never keeps the user waiting.
  bool refused() const { return refused_; }
  ~DirectoryLock();
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

 private:
  HANDLE mutex_ = nullptr;
  bool refused_ = false;
};

}  // namespace menue::win32
