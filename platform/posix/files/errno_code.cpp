// Maps errno values onto the Windows error codes the core knows.
#include "platform/posix/files/errno_code.h"

#include <cerrno>

namespace menue {

PlatformCode platformCodeFromErrno(int error) {
  switch (error) {
    case 0:
      return code::Success;
    case ENOENT:
      return code::FileNotFound;
    case ENOTDIR:
      return code::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case EISDIR:  // Windows refuses file operations on a directory the same way
      return code::AccessDenied;
    case ENOSPC:
    case EDQUOT:
      return code::DiskFull;
    case EPIPE:
      return code::BrokenPipe;
    case EMFILE:
    case ENFILE:
      return code::TooManyOpenFiles;
    case ENOMEM:
      return code::NotEnoughMemory;
    case EXDEV:
      return code::NotSameDevice;
    case EIO:
      return code::GeneralFailure;
    case ENAMETOOLONG:
      return code::FilenameExcedRange;
    case EEXIST:
      return code::AlreadyExists;
    default:
      return code::InvalidFunction;
  }
}

PlatformCode lastErrorCode() {
  // A failure must never read as success, even if errno was not set.
  return errno == 0 ? code::InvalidFunction : platformCodeFromErrno(errno);
}

}  // namespace menue
