// Reading a file whole or its start, and writing a buffer completely.
#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

PlatformCode readFileStart(const std::string& path, std::size_t limit, std::string& contents,
                           bool& whole) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return lastErrorCode();
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    const PlatformCode failure = lastErrorCode();
    close(fd);
    return failure;
  }
  // A file that is not a plain one has no size to go by: one byte more than
  // the limit tells whether it goes on.
  const bool sized = S_ISREG(info.st_mode);
  const auto size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
  const std::size_t wanted = sized ? std::min(size, limit) : limit + 1;
  std::string data(wanted, '\0');
  std::size_t got = 0;
  while (got < wanted) {
    const ssize_t n = read(fd, data.data() + got, wanted - got);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      const PlatformCode failure = lastErrorCode();
      close(fd);
      return failure;
    }
  }
  close(fd);
  data.resize(std::min(got, limit));
  whole = sized ? size <= limit : got <= limit;
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
