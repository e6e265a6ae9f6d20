// Whole-file and bounded reads and complete writes on descriptors, shared by the file
// system and the process start (which reads the LaunchScript).
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/posix/files/private_groups.h"

namespace menue {

// Both reads take plain files only, and never block: a FIFO or a device
// fails as FileNotFound, a directory as AccessDenied.
PlatformCode readWholeFile(const std::string& path, std::string& contents);
// The first `limit` bytes at most of `path`, relative to the open
// directory `directory` (AT_FDCWD: the current one); whole when the file
// held no more (as its size said when opened), and trusted by the
// effective user `user` as the opened file's owner, group, mode and access
// list say. Its stamp is given where the file's last change lay `settleNs`
// before it was opened (stampSettled).
PlatformCode readFileStartAt(int directory, const std::string& path, std::size_t limit, uid_t user,
                             PrivateGroups& groups, FileStart& start, std::int64_t settleNs);
// Opens a plain file for reading (the test of both reads), relative to
// `directory`; `info` is the opened file's.
PlatformCode openPlainFile(int directory, const std::string& path, int& fd, struct stat& info);
// Reads up to `wanted` bytes of an open file from its start, whatever its
// offset.
PlatformCode readOpenFile(int fd, std::size_t wanted, std::string& contents);
// Writes all bytes; 0 or the errno of the failure.
int writeAll(int fd, std::string_view bytes);

}  // namespace menue
