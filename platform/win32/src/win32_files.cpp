// The Windows file system through the W calls: whole-file reads, the safe
// replacement (through a flushed temporary sibling) of a file unchanged
// since it was read, exclusive creation, the search for plain files, and
// the current directory and drive. Paths arrive and leave in the system
// form (WTF-8).
#include "platform/win32/win32_files.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/letters.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_directory_lock.h"
#include "platform/win32/win32_text.h"

namespace menue::win32 {

namespace {

constexpr DWORD NotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Writes all bytes to an open file; a short write without a code of its own
// means the disk is full.
PlatformCode writeAll(HANDLE file, std::string_view contents) {
  while (!contents.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size(), 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), chunk, &written, nullptr)) {
      return PlatformCallScope::failure();
    }
    if (written == 0) return code::DiskFull;
    contents.remove_prefix(written);
  }
  return code::Success;
}

// Creates `path` (which must not exist) and writes the bytes into it,
// flushed to the disk when asked; a failed write removes the file again.
PlatformCode writeNewFile(const std::wstring& path, std::string_view contents, bool flush) {
  OwnedHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return PlatformCallScope::failure();
  PlatformCode result = writeAll(file.get(), contents);
  if (result == code::Success && flush && !FlushFileBuffers(file.get())) {
    result = PlatformCallScope::failure();
  }
  file.reset();
  if (result != code::Success) DeleteFileW(path.c_str());
  return result;
}

// Names as NTFS orders them: compared without regard to letter case.
bool lessByName(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(asciiUpper(x)) < static_cast<unsigned char>(asciiUpper(y));
  });
}

// Calls `found` with the attributes and name (system form) of every entry a
// directory search finds.
template <typename Found>
void searchEntries(const std::string& pattern, Found found) {
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(toWide(pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    found(data.dwFileAttributes, fromWide(data.cFileName));
  } while (FindNextFileW(search, &data));
  FindClose(search);
}

template <typename Found>
void searchPlainFiles(const std::string& pattern, Found found) {
  searchEntries(pattern, [&](DWORD attributes, std::string name) {
    if ((attributes & NotPlain) == 0) found(std::move(name));
  });
}

// Which file a name leads to now: its volume and index, none when it
// cannot be opened.
struct FileIdentity {
  DWORD volume = 0;
  DWORD high = 0;
  DWORD low = 0;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::wstring& path) {
  OwnedHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The subdirectories a walk enters among the entries a search finds.
std::vector<std::string> directoriesMatching(const std::string& pattern);

}  // namespace

// Compares last and proves after: the file at `target` is compared with
// `seen` just before ReplaceFileW puts `temporary` in its place (keeping its
// security descriptor, attributes and streams) and moves it to `backup`;
// the backup must then be the file compared, holding the same bytes, or
// it goes back to the target.
PlatformCode Win32Files::replaceSeen(const std::wstring& target, const std::wstring& temporary,
                                     const std::wstring& backup, std::string_view seen) {
  const std::optional<FileIdentity> compared = identityOf(target);
  if (!compared || !holds(fromWide(target), seen, true)) return code::FileInvalid;
  if (!ReplaceFileW(target.c_str(), temporary.c_str(), backup.c_str(), REPLACEFILE_WRITE_THROUGH,
                    nullptr, nullptr)) {
    const PlatformCode failure = PlatformCallScope::failure();
    // Moved aside but not replaced: the old file takes its name again.
    if (failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
      MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    // A file in use that cannot be moved aside is refused as the rename
    // over it was.
    const bool inUse = failure == ERROR_UNABLE_TO_REMOVE_REPLACED ||
                       failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
                       failure == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    return inUse ? code::AccessDenied : failure;
  }
  if (identityOf(backup) == compared && holds(fromWide(backup), seen, true)) {
    DeleteFileW(backup.c_str());
    return code::Success;
  }
  // Another program changed the file between the comparison and the
  // replace: its text goes back, and the new one is dropped.
  if (!ReplaceFileW(target.c_str(), backup.c_str(), nullptr, REPLACEFILE_WRITE_THROUGH, nullptr,
                    nullptr)) {
    MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }
  return code::FileInvalid;
}

Win32Files::Win32Files() {
  rememberDriveDirectory();
}

// The system resolves a bare "X:" through the environment entry "=X:", which
// command interpreters and C runtimes keep up to date on every directory
// change; the menu does the same, so a later change back to a drive returns
// to the directory it left there.
void Win32Files::rememberDriveDirectory() {
  std::string path;
  if (currentDirectory(path) != code::Success || path.size() < 2 || path[1] != ':') return;
  const wchar_t name[] = {
      L'=', static_cast<wchar_t>(static_cast<unsigned char>(asciiUpper(path[0]))), L':', L'\0'};
  SetEnvironmentVariableW(name, toWide(path).c_str());
}

PlatformCode Win32Files::readFileStart(const std::string& path, std::size_t limit,
                                       FileStart& start) {
  PlatformCallScope scope;
  OwnedHandle file(CreateFileW(toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return PlatformCallScope::failure();
  // Read on to one byte more than the limit: that tells whether the file goes on.
  std::string text;
  char buffer[65536];
  while (text.size() <= limit) {
    const DWORD wanted = static_cast<DWORD>(std::min(sizeof buffer, limit + 1 - text.size()));
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, wanted, &got, nullptr)) return PlatformCallScope::failure();
    if (got == 0) break;
    text.append(buffer, got);
  }
  start.whole = text.size() <= limit;
  if (!start.whole) text.resize(limit);
  start.text = std::move(text);
  start.trust = FileTrust::Trusted;
  return code::Success;
}

PlatformCode Win32Files::replaceFile(const std::string& path, SeenText seen,
                                     std::string_view contents) {
  PlatformCallScope scope;
  const std::wstring target = toWide(path);
  const DirectoryLock lock(target);
  if (lock.refused()) return code::LockViolation;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return code::AccessDenied;
  }
  if (exists != seen.has_value()) return code::FileInvalid;
  SetLastError(0);
  // The temporary sibling lives in the target's directory, so the final
  // move is a rename on one volume.
  const std::wstring temporary = target + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(++temporaryCounter_);
  PlatformCode result = writeNewFile(temporary, contents, true);
  if (result != code::Success) return result;
  if (!exists) {
    // A new file must not take the place of one another program (one that
    // takes no lock) created meanwhile.
    if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
      result = PlatformCallScope::failure();
      DeleteFileW(temporary.c_str());
      if (result == code::AlreadyExists || result == code::FileExists) result = code::FileInvalid;
    }
    return result;
  }
  result = replaceSeen(target, temporary, temporary + L"b", *seen);
  DeleteFileW(temporary.c_str());
  return result;
}

PlatformCode Win32Files::createNewFile(const std::string& path, std::string_view contents) {
  PlatformCallScope scope;
  return writeNewFile(toWide(path), contents, false);
}

PlatformCode Win32Files::deleteFile(const std::string& path) {
  PlatformCallScope scope;
  return DeleteFileW(toWide(path).c_str()) ? code::Success : PlatformCallScope::failure();
}

PlatformCode Win32Files::deleteSeenFile(const std::string& path, std::string_view seenStart,
                                        bool seenWhole) {
  PlatformCallScope scope;
  const std::wstring target = toWide(path);
  const DirectoryLock lock(target);
  if (lock.refused()) return code::LockViolation;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PlatformCallScope::failure();
  // A directory is no file to compare; DeleteFileW refuses it.
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !holds(path, seenStart, seenWhole)) {
    return code::FileInvalid;
  }
  return DeleteFileW(target.c_str()) ? code::Success : PlatformCallScope::failure();
}

PlatformCode Win32Files::moveFile(const std::string& from, const std::string& to) {
  PlatformCallScope scope;
  return MoveFileW(toWide(from).c_str(), toWide(to).c_str()) ? code::Success
                                                             : PlatformCallScope::failure();
}

std::vector<std::string> Win32Files::findPlainFiles(const std::string& pattern) {
  PlatformCallScope scope;
  std::vector<std::string> names;
  searchPlainFiles(pattern, [&](std::string name) { names.push_back(std::move(name)); });
  std::sort(names.begin(), names.end(), lessByName);
  return names;
}

// Windows keeps no owner rule for MenuFiles: a plain file is trusted.
std::optional<FileTrust> Win32Files::plainFileTrust(const std::string& path) {
  PlatformCallScope scope;
  bool plain = false;
  searchPlainFiles(path, [&](const std::string&) { plain = true; });
  if (!plain) return std::nullopt;
  return FileTrust::Trusted;
}

std::vector<std::string> Win32Files::findDirectories() {
  return directoriesMatching("*");
}

namespace {

// A path with the prefix that lifts the length limit of the W calls: a
// walk may go deeper than MAX_PATH.
std::string longPath(const std::string& full) {
  if (full.starts_with("\\\\?\\")) return full;
  if (full.starts_with("\\\\")) return "\\\\?\\UNC\\" + full.substr(2);
  return "\\\\?\\" + full;
}

std::vector<std::string> directoriesMatching(const std::string& pattern) {
  PlatformCallScope scope;
  // A junction or link (a reparse point) is not entered, so a walk cannot loop.
  constexpr DWORD NotEntered =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT;
  std::vector<std::string> names;
  searchEntries(pattern, [&](DWORD attributes, std::string name) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || (attributes & NotEntered) != 0) return;
    if (name != "." && name != "..") names.push_back(std::move(name));
  });
  std::sort(names.begin(), names.end(), lessByName);
  return names;
}

// The walk by full paths: entering appends a name, leaving cuts it off.
class Win32DirectoryCursor : public DirectoryCursor {
 public:
  Win32DirectoryCursor(Win32Files& files, std::string path)
      : files_(files), path_(std::move(path)) {}

  std::vector<std::string> findPlainFiles(const std::string& pattern) override {
    PlatformCallScope scope;
    std::vector<std::string> names;
    searchPlainFiles(child(pattern), [&](std::string name) { names.push_back(std::move(name)); });
    std::sort(names.begin(), names.end(), lessByName);
    return names;
  }
  std::vector<std::string> findDirectories() override { return directoriesMatching(child("*")); }
  PlatformCode readFileStart(const std::string& name, std::size_t limit,
                             FileStart& start) override {
    return files_.readFileStart(child(name), limit, start);
  }
  PlatformCode enter(const std::string& name) override {
    PlatformCallScope scope;
    const std::string path = path_ + "\\" + name;
    const DWORD attributes = GetFileAttributesW(toWide(longPath(path)).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PlatformCallScope::failure();
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return code::DirectoryNameInvalid;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return code::AccessDenied;
    trail_.push_back(path_.size());
    path_ = path;
    return code::Success;
  }
  PlatformCode leave() override {
    if (trail_.empty()) return code::InvalidFunction;
    path_.resize(trail_.back());
    trail_.pop_back();
    return code::Success;
  }

 private:
  std::string child(const std::string& name) const { return longPath(path_ + "\\" + name); }

  Win32Files& files_;
  // Full, without a separator at its end ("C:" for the root of C:).
  std::string path_;
  std::vector<std::size_t> trail_;
};

}  // namespace

PlatformCode Win32Files::openDirectoryCursor(const std::string& path,
                                             std::unique_ptr<DirectoryCursor>& cursor) {
  PlatformCallScope scope;
  const std::wstring given = toWide(path.empty() ? "." : path);
  const DWORD needed = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return PlatformCallScope::failure();
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return PlatformCallScope::failure();
  full.resize(length);
  const DWORD attributes = GetFileAttributesW(toWide(longPath(fromWide(full))).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PlatformCallScope::failure();
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return code::DirectoryNameInvalid;
  while (!full.empty() && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  cursor = std::make_unique<Win32DirectoryCursor>(*this, fromWide(full));
  return code::Success;
}

PlatformCode Win32Files::currentDirectory(std::string& path) {
  PlatformCallScope scope;
  // Asks for the size, then for the text; asks again should the directory
  // have grown in between.
  for (;;) {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return PlatformCallScope::failure();
    std::wstring buffer(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, buffer.data());
    if (length == 0) return PlatformCallScope::failure();
    if (length < needed) {
      buffer.resize(length);
      path = fromWide(buffer);
      return code::Success;
    }
  }
}

PlatformCode Win32Files::changeDirectory(const std::string& path) {
  {
    PlatformCallScope scope;
    if (!SetCurrentDirectoryW(toWide(path).c_str())) return PlatformCallScope::failure();
  }
  rememberDriveDirectory();
  return code::Success;
}

PlatformCode Win32Files::changeDrive(char letter) {
  // "X:" alone is drive-relative: the system goes to the directory it keeps
  // for that drive.
  // Upper case, as the system names drives in the paths it reports.
  const wchar_t drive[] = {static_cast<wchar_t>(static_cast<unsigned char>(asciiUpper(letter))),
                           L':', L'\0'};
  {
    PlatformCallScope scope;
    if (!SetCurrentDirectoryW(drive)) return PlatformCallScope::failure();
  }
  rememberDriveDirectory();
  return code::Success;
}

}  // namespace menue::win32
