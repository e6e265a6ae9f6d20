// A file's or directory's stamp as stat reports it, and when a stamp seen
// at some moment shows every later change: the one rule behind the kept
// directory listing and the MenuFile that is not read again.
#pragma once

#include <sys/stat.h>

#include <cstdint>

#include "platform/platform.h"

namespace menue {

// How far before a look the last change must lie for the stamp then seen
// to show every later change: a change in the same tick of the file
// system's clock would leave the stamp as it was. Two seconds cover the
// coarsest timestamps (FAT's).
inline constexpr std::int64_t SettleNs = 2'000'000'000;

FileStamp stampOf(const struct stat& info);
// The real time now, in nanoseconds since 1970 (no system call where the
// clock is read in user space).
std::int64_t realTimeNs();
// Local file systems whose times follow every change of a file or of a
// directory's entries. Network and user-space ones may report times of
// their own or none.
bool trustedTimes(int fd);
// Whether `stamp`, seen by a look begun at `lookedAtNs` on a file system
// whose times are `trusted`, shows every later change: its last change lay
// at least `settleNs` before the look.
bool stampSettled(const FileStamp& stamp, bool trusted, std::int64_t lookedAtNs,
                  std::int64_t settleNs);

}  // namespace menue
