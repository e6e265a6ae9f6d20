// The directories of the program's own state on POSIX: made private to the
// user, used only where no one else could have prepared them, and listed
// with the sizes of their files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_trust.h"
#include "platform/posix/files/posix_files.h"

namespace menue {

PlatformCode PosixFiles::makePrivateDirectory(const std::string& path) {
  if (path.empty()) return code::PathNotFound;
  // The way there: each missing part made in turn (so ~/.local/state is
  // made too where it is not), and no link of another user on it, which
  // could lead the user's private files anywhere its owner likes.
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    struct stat info {};
    if (lstat(part.c_str(), &info) != 0) {
      if (errno != ENOENT || (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)) {
        return lastErrorCode();
      }
      continue;
    }
    if (S_ISLNK(info.st_mode) && info.st_uid != user_ && info.st_uid != 0) {
      return code::AccessDenied;
    }
  }
  // The directory it stands in: no one else may swap it for another.
  const std::size_t last = path.rfind('/');
  const std::string parent = last == std::string::npos ? "."
                             : last == 0               ? "/"
                                                       : path.substr(0, last);
  struct stat info {};
  if (stat(parent.c_str(), &info) != 0) return lastErrorCode();
  if (!keepsItsEntries(info, user_, groups_)) return code::AccessDenied;
  if (lstat(path.c_str(), &info) == 0) {
    if (!S_ISDIR(info.st_mode) && !S_ISLNK(info.st_mode)) return code::DirectoryNameInvalid;
    // One of ours made by someone else's rules (an older umask) is made
    // private; one of anyone else's is refused below.
    if (S_ISDIR(info.st_mode) && (info.st_mode & 077) != 0 && info.st_uid == user_) {
      chmod(path.c_str(), 0700);
    }
  }
  return privateDirectory(path, true, groups_);
}

std::vector<ListedFile> PosixFiles::listDirectory(const std::string& path) {
  std::vector<ListedFile> listed;
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return listed;
  DIR* directory = fdopendir(fd);
  if (directory == nullptr) {
    close(fd);
    return listed;
  }
  while (const dirent* entry = readdir(directory)) {
    struct stat info {};
    if (fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISREG(info.st_mode)) continue;
    listed.push_back({entry->d_name, static_cast<std::uint64_t>(info.st_size)});
  }
  closedir(directory);
  return listed;
}

}  // namespace menue
