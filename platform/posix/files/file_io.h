// Whole-file reads and complete writes on descriptors, shared by the file
// system and the process start (which reads the LaunchScript).
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

PlatformCode readWholeFile(const std::string& path, std::string& contents);
// Writes all bytes; 0 or the errno of the failure.
int writeAll(int fd, std::string_view bytes);

}  // namespace menue
