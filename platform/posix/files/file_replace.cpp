// Writing files safely: replacement through a temporary file and rename(2),
// and deletion, of a file unchanged since its writer read it, and exclusive
// creation of the LaunchScript in a private directory.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_io.h"
#include "platform/posix/files/file_trust.h"
#include "platform/posix/files/posix_files.h"

namespace menue {

namespace {

std::string directoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool writable(const std::string& path, const struct stat& info) {
  // No write bit at all is the read-only attribute; it holds even for root.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

void syncDirectory(const std::string& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// The fallback LaunchScript directory in /tmp: made by us (when `create`),
// or refused when someone else could have prepared it. Not there is fine
// when nothing is to be made: no file can stand in it.
PlatformCode privateDirectory(const std::string& directory, bool create, PrivateGroups& groups) {
  if (create && mkdir(directory.c_str(), 0700) == 0) {
    return chmod(directory.c_str(), 0700) == 0 ? code::Success : lastErrorCode();
  }
  if (create && errno != EEXIST) return lastErrorCode();
  struct stat info {};
  if (lstat(directory.c_str(), &info) != 0) {
    return !create && errno == ENOENT ? code::Success : lastErrorCode();
  }
  if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid() || !privateDirectoryMode(info, groups)) {
    return code::AccessDenied;
  }
  return code::Success;
}

// A file that cannot be created because its directory is missing: Windows
// reports "path not found" there, not "file not found".
PlatformCode creationErrorCode() {
  return errno == ENOENT ? code::PathNotFound : lastErrorCode();
}

constexpr std::string_view TemporaryPrefix = ".-menue-.";

// A temporary's name carries the writer's process id, so a later rewrite
// can tell one left by a killed program from one being written right now.
std::string temporaryPattern(const std::string& directory) {
  return (directory == "/" ? "" : directory) + "/" + std::string(TemporaryPrefix) +
         std::to_string(getpid()) + ".XXXXXX";
}

// Removes the temporaries of programs that no longer run (killed between
// naming their file and the rename), so they cannot pile up.
void removeStaleTemporaries(const std::string& directory) {
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (!name.starts_with(TemporaryPrefix)) continue;
    const std::string_view rest = name.substr(TemporaryPrefix.size());
    const auto dot = rest.find('.');
    if (dot == 0 || dot == std::string_view::npos) continue;
    pid_t pid = 0;
    for (const char c : rest.substr(0, dot)) {
      if (c < '0' || c > '9' || pid > 99999999) {
        pid = 0;
        break;
      }
      pid = pid * 10 + (c - '0');
    }
    if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

// Opens the file the new text is written to. Where the system can, the file
// has no name yet (O_TMPFILE): a program killed while writing leaves nothing
// behind. `temporary` stays empty then; otherwise it names the file.
int openTemporary(const std::string& directory, std::string& temporary) {
#ifdef O_TMPFILE
  const int fd = open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
#endif
  temporary = temporaryPattern(directory);
  return mkostemp(temporary.data(), O_CLOEXEC);
}

// Gives the unnamed file a name beside its target, just before the rename.
int nameTemporary(int fd, const std::string& directory, std::string& temporary) {
  std::random_device random;
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = temporaryPattern(directory);
    for (auto i = temporary.size() - 6; i < temporary.size(); ++i) {
      temporary[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[random() % 36];
    }
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return 0;
    }
    if (errno != EEXIST) break;
  }
  const int failure = errno;
  temporary.clear();
  return failure;
}

// The lock every writer of this program holds on a file's directory while
// it compares and replaces the file. flock(2) belongs to the open
// directory: it dies with the process and leaves no file behind. Where the
// file system has no such locks, the comparison alone stands.
class DirectoryLock {
 public:
  explicit DirectoryLock(const std::string& directory)
      : fd_(open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ < 0) return;
    while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~DirectoryLock() {
    if (fd_ >= 0) close(fd_);
  }
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;

 private:
  int fd_;
};

}  // namespace

int renameNoReplace(const char* from, const char* to) {
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (link(from, to) != 0) return errno;
  if (unlink(from) != 0) {
    const int failure = errno;
    unlink(to);
    return failure;
  }
  return 0;
}

PlatformCode PosixFiles::replaceFile(const std::string& path, SeenText seen,
                                     std::string_view contents) {
  const std::string directory = directoryOf(path);
  const DirectoryLock lock(directory);
  struct stat target {};
  const bool exists = stat(path.c_str(), &target) == 0;
  if (!exists && errno != ENOENT) return lastErrorCode();
  if (exists && (S_ISDIR(target.st_mode) || !writable(path, target))) return code::AccessDenied;
  // A file that is not plain cannot be read again to compare (a FIFO would
  // block): it counts as changed.
  if (exists != seen.has_value() ||
      (exists && (!S_ISREG(target.st_mode) || !holds(path, *seen, true)))) {
    return code::FileInvalid;
  }

  removeStaleTemporaries(directory);
  std::string temporary;
  const int fd = openTemporary(directory, temporary);
  if (fd < 0) return creationErrorCode();

  int failure = writeAll(fd, contents);
  if (failure == 0 && fchmod(fd, exists ? target.st_mode & 07777 : newFileMode()) != 0) {
    failure = errno;
  }
  if (failure == 0 && fsync(fd) != 0) failure = errno;
  if (failure == 0 && temporary.empty()) failure = nameTemporary(fd, directory, temporary);
  if (close(fd) != 0 && failure == 0) failure = errno;
  if (failure == 0) {
    // A new file must not take the place of one another program (one that
    // takes no lock) created meanwhile.
    if (exists) {
      if (rename(temporary.c_str(), path.c_str()) != 0) failure = errno;
    } else {
      failure = renameNoReplace(temporary.c_str(), path.c_str());
    }
  }
  if (failure != 0) {
    if (!temporary.empty()) unlink(temporary.c_str());
    return failure == EEXIST ? code::FileInvalid : platformCodeFromErrno(failure);
  }
  syncDirectory(directory);
  return code::Success;
}

PlatformCode PosixFiles::deleteSeenFile(const std::string& path, std::string_view seenStart,
                                        bool seenWhole) {
  const DirectoryLock lock(directoryOf(path));
  struct stat target {};
  // What cannot be compared (a missing file, a dangling link) is deleteFile's case.
  if (stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
      !holds(path, seenStart, seenWhole)) {
    return code::FileInvalid;
  }
  return deleteFile(path);
}

PlatformCode PosixFiles::scriptDirectoryCheck(const std::string& path, bool create) {
  if (privateScriptPath_.empty() || path != privateScriptPath_) return code::Success;
  return privateDirectory(directoryOf(path), create, groups_);
}

PlatformCode PosixFiles::createNewFile(const std::string& path, std::string_view contents) {
  if (const PlatformCode refused = scriptDirectoryCheck(path, true); refused != code::Success) {
    return refused;
  }
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return creationErrorCode();
  int failure = writeAll(fd, contents);
  if (close(fd) != 0 && failure == 0) failure = errno;
  if (failure != 0) {
    unlink(path.c_str());
    return platformCodeFromErrno(failure);
  }
  return code::Success;
}

}  // namespace menue
