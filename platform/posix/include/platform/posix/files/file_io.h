// Whole-file and bounded reads and complete writes on descriptors, shared by the file
// system and the process start (which reads the LaunchScript).
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

// Both reads take plain files only, and never block: a FIFO or a device
// fails as FileNotFound, a directory as AccessDenied.
PlatformCode readWholeFile(const std::string& path, std::string& contents);
// The first `limit` bytes at most; whole when the file held no more (as
// its size said when opened), and trusted by the effective user `user` as
// the opened file's owner and mode say.
PlatformCode readFileStart(const std::string& path, std::size_t limit, uid_t user,
                           FileStart& start);
// The same for a path relative to the open directory `directory`.
PlatformCode readFileStartAt(int directory, const std::string& path, std::size_t limit, uid_t user,
                             FileStart& start);
// Writes all bytes; 0 or the errno of the failure.
int writeAll(int fd, std::string_view bytes);

}  // namespace menue
