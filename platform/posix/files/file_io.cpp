// Reading a file whole or its start, and writing a buffer completely.
#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "errno_code.h"

namespace menue {

namespace {

// Opens a plain file for reading. Never blocks: a FIFO or device put where
// the file was tested is opened without waiting for a writer, then refused
// as a file that is not there; a directory is refused as its read would be.
PlatformCode openPlainFile(const std::string& path, int& fd, struct stat& info) {
  fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return lastErrorCode();
  PlatformCode failure = code::Success;
  if (fstat(fd, &info) != 0) {
    failure = lastErrorCode();
  } else if (S_ISDIR(info.st_mode)) {
    failure = code::AccessDenied;  // as the read of a directory fails
  } else if (!S_ISREG(info.st_mode)) {
    failure = code::FileNotFound;
  }
  if (failure != code::Success) close(fd);
  return failure;
}

}  // namespace

PlatformCode readWholeFile(const std::string& path, std::string& contents) {
  int fd = -1;
  struct stat info {};
  if (const PlatformCode failure = openPlainFile(path, fd, info); failure != code::Success) {
    return failure;
  }
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
  int fd = -1;
  struct stat info {};
  if (const PlatformCode failure = openPlainFile(path, fd, info); failure != code::Success) {
    return failure;
  }
  const auto size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
  const std::size_t wanted = std::min(size, limit);
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
  data.resize(got);
  whole = size <= limit;
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
