// The directories of the program's own state on POSIX: made private to the
// user, and listed with the sizes of their files.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/posix_files.h"

namespace menue {

PlatformCode PosixFiles::makePrivateDirectory(const std::string& path) {
  if (path.empty()) return code::PathNotFound;
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) {
    if (!S_ISDIR(info.st_mode)) return code::DirectoryNameInvalid;
    // One made by someone else's rules is made private, if it is ours.
    if ((info.st_mode & 077) != 0 && info.st_uid == geteuid()) chmod(path.c_str(), 0700);
    return code::Success;
  }
  // Each missing part in turn, so ~/.local/state is made too where it is not.
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return lastErrorCode();
    if (slash == std::string::npos) break;
  }
  if (stat(path.c_str(), &info) != 0) return lastErrorCode();
  return S_ISDIR(info.st_mode) ? code::Success : code::DirectoryNameInvalid;
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
