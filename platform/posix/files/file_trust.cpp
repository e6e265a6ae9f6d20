// Who may have changed a file, told from its owner, group and mode.
#include "platform/posix/files/file_trust.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/errno_code.h"

namespace menue {

namespace {

constexpr const char* AccessList = "system.posix_acl_access";

}  // namespace

FileTrust fileTrustOf(const struct stat& info, bool accessList, uid_t user, PrivateGroups& groups) {
  // Root can change any file anyway; a file of root's is the system's own.
  if (info.st_uid != user && info.st_uid != 0) return FileTrust::OtherOwner;
  if ((info.st_mode & S_IWOTH) != 0) return FileTrust::OthersMayWrite;
  if ((info.st_mode & S_IWGRP) == 0) return FileTrust::Trusted;
  if (accessList) return FileTrust::GroupMayWrite;
  switch (groups.shareOf(info.st_gid, info.st_uid)) {
    case GroupShare::Private:
      return FileTrust::Trusted;
    case GroupShare::Unlisted:
      return FileTrust::GroupUnlisted;
    case GroupShare::Shared:
      break;
  }
  return FileTrust::GroupMayWrite;
}

bool writableAccessList(const struct stat& info, int fd) {
  return (info.st_mode & S_IWGRP) != 0 && fgetxattr(fd, AccessList, nullptr, 0) >= 0;
}

bool writableAccessList(const struct stat& info, const char* path) {
  return (info.st_mode & S_IWGRP) != 0 && getxattr(path, AccessList, nullptr, 0) >= 0;
}

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

bool privateDirectoryMode(const struct stat& info, PrivateGroups& groups) {
  if ((info.st_mode & 07707) != 0700) return false;
  return (info.st_mode & 0070) == 0 || groups.privateTo(info.st_gid, info.st_uid);
}

bool keepsItsEntries(const struct stat& info, uid_t user, PrivateGroups& groups) {
  if (!S_ISDIR(info.st_mode) || (info.st_uid != user && info.st_uid != 0)) return false;
  if ((info.st_mode & S_IWOTH) != 0) return false;
  return (info.st_mode & S_IWGRP) == 0 || groups.privateTo(info.st_gid, info.st_uid);
}

}  // namespace menue
