// Whole-file and bounded reads and complete writes on descriptors, shared by the file
// system and the process start (which reads the LaunchScript).
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

// Both reads take plain files only, and never block: a FIFO or a device
// fails as FileNotFound, a directory as AccessDenied.
PlatformCode readWholeFile(const std::string& path, std::string& contents);
// The first `limit` bytes at most; whole when the file held no more (as
// its size said when opened). `info` is the opened file's, and
// `accessList` whether it has an access list while its group bits allow
// writing: who may have changed it is told from these (`start.trust` is
// left to the caller).
PlatformCode readFileStart(const std::string& path, std::size_t limit, FileStart& start,
                           struct stat& info, bool& accessList);
// Opens a plain file for reading (the test of both reads); `info` is the
// opened file's.
PlatformCode openPlainFile(const std::string& path, int& fd, struct stat& info);
// Reads up to `wanted` bytes of an open file from its start, whatever its
// offset.
PlatformCode readOpenFile(int fd, std::size_t wanted, std::string& contents);
// Writes all bytes; 0 or the errno of the failure.
int writeAll(int fd, std::string_view bytes);

}  // namespace menue
