// The temporary file a replacement writes beside its target, and the
// removal of those left by writers that were killed.
#include "platform/posix/files/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string_view>

namespace menue {

namespace {

constexpr std::string_view TemporaryPrefix = ".-menue-.";

// A temporary's name carries the writer's process id, so a later rewrite
// can tell one left by a killed program from one being written right now.
std::string temporaryPattern(const std::string& directory) {
  return (directory == "/" ? "" : directory) + "/" + std::string(TemporaryPrefix) +
         std::to_string(getpid()) + ".XXXXXX";
}

}  // namespace

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

}  // namespace menue
