// Reading a file whole or its start, and writing a buffer completely.
#include "platform/posix/files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_stamp.h"
#include "platform/posix/files/file_trust.h"

namespace menue {

// Never blocks: a FIFO or device put where the file was tested is opened
// without waiting for a writer, then refused as a file that is not there;
// a directory is refused as its read would be.
PlatformCode openPlainFile(int directory, const std::string& path, int& fd, struct stat& info) {
  fd = openat(directory, path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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

PlatformCode readOpenFile(int fd, std::size_t wanted, std::string& contents) {
  std::string data(wanted, '\0');
  std::size_t got = 0;
  while (got < wanted) {
    const ssize_t n = pread(fd, data.data() + got, wanted - got, static_cast<off_t>(got));
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      return lastErrorCode();
    }
  }
  data.resize(got);
  contents = std::move(data);
  return code::Success;
}

namespace {

// Opens a plain file, reads at most `limit` bytes of it, as far as its size
// said when it was opened (one read for a file of ordinary size), and
// closes it; `info` is what the opened file's fstat said. `onOpen` is asked
// about the open descriptor before it closes.
template <typename OnOpen>
PlatformCode readPlainFile(int directory, const std::string& path, std::size_t limit,
                           std::string& contents, struct stat& info, OnOpen onOpen) {
  int fd = -1;
  if (const PlatformCode failure = openPlainFile(directory, path, fd, info);
      failure != code::Success) {
    return failure;
  }
  const std::size_t size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
  const PlatformCode failure = readOpenFile(fd, std::min(size, limit), contents);
  onOpen(fd);
  close(fd);
  return failure;
}

}  // namespace

PlatformCode readWholeFile(const std::string& path, std::string& contents) {
  struct stat info {};
  return readPlainFile(AT_FDCWD, path, std::numeric_limits<std::size_t>::max(), contents, info,
                       [](int) {});
}

PlatformCode readFileStartAt(int directory, const std::string& path, std::size_t limit, uid_t user,
                             PrivateGroups& groups, FileStart& start, std::int64_t settleNs) {
  const std::int64_t openedAt = realTimeNs();
  struct stat info {};
  bool accessList = false;
  bool settled = false;
  std::string text;
  const PlatformCode failure = readPlainFile(directory, path, limit, text, info, [&](int fd) {
    accessList = writableAccessList(info, fd);
    settled = stampSettled(stampOf(info), trustedTimes(fd), openedAt, settleNs);
  });
  if (failure != code::Success) return failure;
  start.text = std::move(text);
  start.whole = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) <= limit;
  start.trust = fileTrustOf(info, accessList, user, groups);
  start.stamp = settled ? std::optional(stampOf(info)) : std::nullopt;
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
