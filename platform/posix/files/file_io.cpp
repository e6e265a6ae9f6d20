// Reading a file whole and writing a buffer completely.
#include "files/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "files/errno_code.h"

namespace menue {

PlatformCode readWholeFile(const std::string& path, std::string& contents) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return lastErrorCode();
  std::string data;
  char chunk[8192];
  for (;;) {
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n > 0) {
      data.append(chunk, static_cast<std::size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      const PlatformCode failure = lastErrorCode();
      close(fd);
      return failure;
    }
  }
  close(fd);
  contents = std::move(data);
  return code::Success;
}

int writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      return n < 0 ? errno : EIO;
    }
  }
  return 0;
}

}  // namespace menue
