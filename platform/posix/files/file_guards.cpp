// Carrying owner, group, mode and extended attributes from a file to the
// one that replaces it; only <sys/xattr.h>, so access lists go as the
// attribute that holds them.
#include "platform/posix/files/file_guards.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/posix/files/errno_code.h"

namespace menue {

namespace {

// The attribute names of an open file; false with errno on a failure.
// A file system without extended attributes has none.
bool attributeNames(int fd, std::vector<std::string>& names) {
  names.clear();
  for (;;) {
    const ssize_t size = flistxattr(fd, nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    std::string list(static_cast<std::size_t>(size), '\0');
    const ssize_t got = flistxattr(fd, list.data(), list.size());
    if (got < 0 && errno == ERANGE) continue;  // grew meanwhile
    if (got < 0) return false;
    list.resize(static_cast<std::size_t>(got));
    for (std::size_t at = 0; at < list.size();) {
      const std::size_t end = list.find('\0', at);
      names.push_back(list.substr(at, end - at));
      at = end == std::string::npos ? list.size() : end + 1;
    }
    return true;
  }
}

// The value of one attribute; false with errno on a failure.
bool attributeValue(int fd, const std::string& name, std::string& value) {
  for (;;) {
    const ssize_t size = fgetxattr(fd, name.c_str(), nullptr, 0);
    if (size < 0) return false;
    value.assign(static_cast<std::size_t>(size), '\0');
    const ssize_t got = fgetxattr(fd, name.c_str(), value.data(), value.size());
    if (got < 0 && errno == ERANGE) continue;
    if (got < 0) return false;
    value.resize(static_cast<std::size_t>(got));
    return true;
  }
}

// A refusal to set what the system does not let this user set is "cannot
// be kept"; anything else is the failure it is.
PlatformCode guardFailure(int failure) {
  return failure == EPERM || failure == ENOTSUP || failure == EACCES
             ? code::EasNotSupported
             : platformCodeFromErrno(failure);
}

PlatformCode keepAttributes(int from, int to) {
  std::vector<std::string> wanted;
  std::vector<std::string> present;
  if (!attributeNames(from, wanted) || !attributeNames(to, present)) return guardFailure(errno);
  std::string value;
  std::string already;
  for (const std::string& name : wanted) {
    if (!attributeValue(from, name, value)) return guardFailure(errno);
    if (fsetxattr(to, name.c_str(), value.data(), value.size(), 0) == 0) continue;
    const int failure = errno;
    // What the system gave the new file itself (a security label) may be
    // the same already.
    if (!attributeValue(to, name, already) || already != value) return guardFailure(failure);
  }
  for (const std::string& name : present) {
    if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) continue;
    if (fremovexattr(to, name.c_str()) != 0) return guardFailure(errno);
  }
  return code::Success;
}

}  // namespace

PlatformCode keepGuards(int from, const struct stat& old, int to) {
  struct stat now {};
  if (fstat(to, &now) != 0) return lastErrorCode();
  // The owner and group first: a change of them clears the set-id bits,
  // which the mode then gives back.
  if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
      fchown(to, old.st_uid, old.st_gid) != 0) {
    return guardFailure(errno);
  }
  if (const PlatformCode failure = keepAttributes(from, to); failure != code::Success) {
    return failure;
  }
  // After the access list, whose mask the group bits of the mode are.
  if (fchmod(to, old.st_mode & 07777) != 0) return guardFailure(errno);
  return code::Success;
}

}  // namespace menue
