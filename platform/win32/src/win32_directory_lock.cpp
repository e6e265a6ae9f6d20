// The writers' lock on a directory: a named mutex per directory identity.
#include "platform/win32/win32_directory_lock.h"

namespace menue::win32 {

namespace {

std::wstring directoryOf(const std::wstring& path) {
  const auto separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) {
    // "C:name" lies in the current directory of drive C.
    return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
  }
  // The root keeps its separator ("C:\", "\").
  if (separator == 0 || path[separator - 1] == L':') return path.substr(0, separator + 1);
  return path.substr(0, separator);
}

std::wstring hex(DWORD value) {
  static constexpr wchar_t Digits[] = L"0123456789abcdef";
  std::wstring text(8, L'0');
  for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = Digits[value & 15];
  return text;
}

}  // namespace

DirectoryLock::DirectoryLock(const std::wstring& path) {
  OwnedHandle directory(CreateFileW(directoryOf(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!directory.valid() || !GetFileInformationByHandle(directory.get(), &info)) return;
  const std::wstring name = L"Local\\menue-edit-" + hex(info.dwVolumeSerialNumber) + L"-" +
                            hex(info.nFileIndexHigh) + hex(info.nFileIndexLow);
  mutex_ = CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex_ == nullptr) return;
  // WAIT_ABANDONED: a writer died holding it; the mutex is ours all the same.
  const DWORD waited = WaitForSingleObject(mutex_, PatienceMs);
  if (waited == WAIT_FAILED || waited == WAIT_TIMEOUT) {
    refused_ = waited == WAIT_TIMEOUT;
    CloseHandle(mutex_);
    mutex_ = nullptr;
  }
}

DirectoryLock::~DirectoryLock() {
  if (mutex_ == nullptr) return;
  ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}

}  // namespace menue::win32
