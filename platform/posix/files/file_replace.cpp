// Writing files safely: replacement through a temporary file that keeps
// the old one's guards and is swapped in (file_swap.h), written through
// links, and deletion, of a file unchanged since its writer read it, and
// exclusive creation of the LaunchScript in a private directory.
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_guards.h"
#include "platform/posix/files/file_io.h"
#include "platform/posix/files/file_swap.h"
#include "platform/posix/files/file_trust.h"
#include "platform/posix/files/posix_files.h"
#include "platform/posix/files/temporary_file.h"

namespace menue {

namespace {

std::string directoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The mode of a new file, as the umask allows, but never one the program
// itself would refuse: no write for everyone, and group write only in a
// group of the owner's own (a team's setgid directory with umask 002 would
// give the team the user's menu). In a directory closed to others (the
// state directory) it is the user's alone.
PlatformCode setNewFileMode(int fd, const std::string& directory, PrivateGroups& groups) {
  const mode_t mask = umask(0);
  umask(mask);
  mode_t mode = 0666 & ~mask & ~S_IWOTH;
  struct stat file {};
  if (fstat(fd, &file) != 0) return lastErrorCode();
  if ((mode & S_IWGRP) != 0 && !groups.privateTo(file.st_gid, file.st_uid)) mode &= ~S_IWGRP;
  struct stat place {};
  if (stat(directory.c_str(), &place) == 0 && (place.st_mode & 077) == 0) mode &= 0700;
  return fchmod(fd, mode) == 0 ? code::Success : lastErrorCode();
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

// The file a write through `path` changes: `path` itself, or the file a
// link leads to, through any chain of links. A link to no file (missing,
// or links that loop) is refused: a new file there would be made out of
// sight of the one who linked.
PlatformCode linkTarget(const std::string& path, std::string& target) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
    target = path;
    return code::Success;
  }
  char* resolved = realpath(path.c_str(), nullptr);
  if (resolved == nullptr) {
    return errno == ENOENT || errno == ELOOP || errno == ENOTDIR ? code::CantResolveFilename
                                                                 : lastErrorCode();
  }
  target = resolved;
  free(resolved);
  return code::Success;
}

// The old file of a replacement, closed when the replacement ends.
struct OpenOld {
  OldFile file;
  OpenOld() = default;
  OpenOld(const OpenOld&) = delete;
  OpenOld& operator=(const OpenOld&) = delete;
  ~OpenOld() {
    if (file.fd >= 0) close(file.fd);
  }
};

// A file that cannot be created because its directory is missing: Windows
// reports "path not found" there, not "file not found".
PlatformCode creationErrorCode() {
  return errno == ENOENT ? code::PathNotFound : lastErrorCode();
}

// The lock every writer of this program holds on the file it replaces or
// deletes while it compares and writes: a write lock of its own open file
// description (fcntl F_OFD_SETLK), which only someone who may write the
// file can take, which dies with the process and leaves no file behind.
// It is tried without blocking, again for a short while, then given up:
// the edit is refused (LockViolation), never kept waiting. A file that
// cannot be opened for writing is refused later anyway; where the file
// system has no such locks, the comparison and the proof alone stand. A
// new file needs none: it only takes a name no file has.
class EditLock {
 public:
  static constexpr int Attempts = 40;
  static constexpr long PauseNanoseconds = 50'000'000;

  explicit EditLock(const std::string& path)
      : fd_(open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) {
    struct stat info {};
    if (fd_ < 0 || fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) return;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    for (int attempt = 1;; ++attempt) {
      if (fcntl(fd_, F_OFD_SETLK, &whole) == 0) return;
      if (errno == EINTR) continue;
      if ((errno != EAGAIN && errno != EACCES) || attempt == Attempts) break;
      const timespec pause{0, PauseNanoseconds};
      nanosleep(&pause, nullptr);
    }
    refused_ = errno == EAGAIN || errno == EACCES;
  }
  ~EditLock() {
    if (fd_ >= 0) close(fd_);
  }
  EditLock(const EditLock&) = delete;
  EditLock& operator=(const EditLock&) = delete;
  // Whether another writer of this program (or one that may write the
  // file) kept it locked for the whole while.
  bool refused() const { return refused_; }

 private:
  int fd_;
  bool refused_ = false;
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
  std::string target;
  if (const PlatformCode failure = linkTarget(path, target); failure != code::Success) {
    return failure;
  }
  const std::string directory = directoryOf(target);
  const EditLock lock(target);
  if (lock.refused()) return code::LockViolation;
  struct stat info {};
  const bool exists = stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return lastErrorCode();
  if (exists && (S_ISDIR(info.st_mode) || !writable(target, info))) return code::AccessDenied;
  // A file that is not plain cannot be read again to compare (a FIFO would
  // block): it counts as changed.
  if (exists != seen.has_value() || (exists && !S_ISREG(info.st_mode))) return code::FileInvalid;
  if (!exists) return createInPlace(directory, target, contents);
  OpenOld old;
  if (const PlatformCode failure = openPlainFile(AT_FDCWD, target, old.file.fd, old.file.info);
      failure != code::Success) {
    return failure == code::FileNotFound ? code::FileInvalid : failure;
  }
  std::string temporary;
  struct stat fresh {};
  if (const PlatformCode failure = writeTemporary(directory, contents, &old.file, temporary, fresh);
      failure != code::Success) {
    return failure;
  }
  SwapOutcome outcome =
      swapIn(temporary, target, old.file, fresh, *seen, !hooks_.noExchange, hooks_.step);
  if (outcome.code != code::Success) unlink(temporary.c_str());
  // Another program's change came after the rename: its text goes back.
  if (outcome.putBack &&
      writeTemporary(directory, outcome.changedText, &old.file, temporary, fresh) ==
          code::Success &&
      rename(temporary.c_str(), target.c_str()) != 0) {
    unlink(temporary.c_str());
  }
  syncDirectory(directory);
  return outcome.code;
}

PlatformCode PosixFiles::createInPlace(const std::string& directory, const std::string& target,
                                       std::string_view contents) {
  std::string temporary;
  struct stat fresh {};
  if (const PlatformCode failure = writeTemporary(directory, contents, nullptr, temporary, fresh);
      failure != code::Success) {
    return failure;
  }
  // A new file must not take the place of one another program (one that
  // takes no lock) created meanwhile.
  const int failure = renameNoReplace(temporary.c_str(), target.c_str());
  if (failure != 0) {
    unlink(temporary.c_str());
    return failure == EEXIST ? code::FileInvalid : platformCodeFromErrno(failure);
  }
  syncDirectory(directory);
  return code::Success;
}

PlatformCode PosixFiles::writeTemporary(const std::string& directory, std::string_view contents,
                                        const OldFile* old, std::string& temporary,
                                        struct stat& fresh) {
  removeStaleTemporaries(directory);
  temporary.clear();
  const int fd = openTemporary(directory, temporary);
  if (fd < 0) return creationErrorCode();
  PlatformCode failure = platformCodeFromErrno(writeAll(fd, contents));
  if (failure == code::Success) {
    if (old != nullptr) {
      failure = keepGuards(old->fd, old->info, fd);
    } else {
      failure = setNewFileMode(fd, directory, groups_);
    }
  }
  if (failure == code::Success && fsync(fd) != 0) failure = lastErrorCode();
  if (failure == code::Success && hooks_.step) hooks_.step(ReplaceStep::Synced);
  if (failure == code::Success && temporary.empty()) {
    failure = platformCodeFromErrno(nameTemporary(fd, directory, temporary));
  }
  if (failure == code::Success && fstat(fd, &fresh) != 0) failure = lastErrorCode();
  if (close(fd) != 0 && failure == code::Success) failure = lastErrorCode();
  if (failure != code::Success && !temporary.empty()) unlink(temporary.c_str());
  return failure;
}

PlatformCode PosixFiles::deleteSeenFile(const std::string& path, std::string_view seenStart,
                                        bool seenWhole) {
  const EditLock lock(path);
  if (lock.refused()) return code::LockViolation;
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
