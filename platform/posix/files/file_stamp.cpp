// A file's stamp as stat reports it, and when a stamp shows every later change.
#include "platform/posix/files/file_stamp.h"

#include <sys/vfs.h>

#include <algorithm>
#include <ctime>

namespace menue {

namespace {

std::int64_t nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

FileStamp stampOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::int64_t>(info.st_size), nanoseconds(info.st_mtim),
          nanoseconds(info.st_ctim)};
}

std::int64_t realTimeNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return nanoseconds(now);
}

bool trustedTimes(int fd) {
  struct statfs info {};
  if (fstatfs(fd, &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
    case 0x01021994:  // tmpfs
    case 0xF2F52010:  // f2fs
    case 0x794C7630:  // overlayfs
      return true;
    default:
      return false;
  }
}

bool stampSettled(const FileStamp& stamp, bool trusted, std::int64_t lookedAtNs,
                  std::int64_t settleNs) {
  return trusted && std::max(stamp.modifiedNs, stamp.changedNs) < lookedAtNs - settleNs;
}

}  // namespace menue
