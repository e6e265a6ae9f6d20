// The simple file operations: read, delete, move, and the current directory.
#include "platform/posix/files/posix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_io.h"
#include "platform/posix/files/file_trust.h"

namespace menue {

PlatformCode PosixFiles::readFileStart(const std::string& path, std::size_t limit,
                                       FileStart& start) {
  return readFileStartAt(AT_FDCWD, path, limit, user_, groups_, start, settleNs_);
}

PlatformCode PosixFiles::deleteFile(const std::string& path) {
  if (const PlatformCode refused = scriptDirectoryCheck(path, false); refused != code::Success) {
    return refused;
  }
  struct stat info {};
  if (lstat(path.c_str(), &info) == 0) {
    // A directory is no file to delete, and a file without any write bit is
    // read-only: Windows refuses to delete both, and so does the menu here.
    if (S_ISDIR(info.st_mode)) return code::AccessDenied;
    if (S_ISREG(info.st_mode) && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
      return code::AccessDenied;
    }
  }
  return unlink(path.c_str()) == 0 ? code::Success : lastErrorCode();
}

PlatformCode PosixFiles::moveFile(const std::string& from, const std::string& to) {
  // An existing target gives EEXIST, which maps to ERROR_ALREADY_EXISTS.
  return platformCodeFromErrno(renameNoReplace(from.c_str(), to.c_str()));
}

PlatformCode PosixFiles::currentDirectory(std::string& path) {
  if (directoryStamp_ && pathAskedAt_ == directoryStamp_) {
    path = lastDirectory_;
    return code::Success;
  }
  std::string buffer(256, '\0');
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) {
      buffer.resize(buffer.find('\0'));
      lastDirectory_ = buffer;
      pathAskedAt_ = directoryStamp_;
      path = std::move(buffer);
      return code::Success;
    }
    if (errno != ERANGE) break;
    buffer.resize(buffer.size() * 2);
  }
  // A directory removed while the menu stands in it has no path any more.
  if (errno == ENOENT && !lastDirectory_.empty()) {
    path = lastDirectory_;
    return code::Success;
  }
  return lastErrorCode();
}

PlatformCode PosixFiles::changeDirectory(const std::string& path) {
  if (chdir(path.c_str()) != 0) return lastErrorCode();
  directoryStamp_.reset();
  pathAskedAt_.reset();
  std::string ignored;
  currentDirectory(ignored);
  return code::Success;
}

PlatformCode PosixFiles::changeDrive(char) {
  // A POSIX path has no drives.
  return code::PathNotFound;
}

}  // namespace menue
