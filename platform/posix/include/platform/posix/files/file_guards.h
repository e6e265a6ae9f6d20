// What guards a file besides its bytes: owner, group, mode, extended
// attributes and the access list (system.posix_acl_access), carried from a
// file to the one that replaces it.
#pragma once

#include <sys/stat.h>

#include "platform/platform.h"

namespace menue {

// Gives the open file `to` the owner, group, mode and extended attributes
// of the open file `from` (whose stat is `old`), and takes from `to` any
// attribute `from` lacks (an access list inherited from the directory).
// EasNotSupported when one of them cannot be kept, so that access is never
// widened or narrowed unseen; another code for other failures.
PlatformCode keepGuards(int from, const struct stat& old, int to);

}  // namespace menue
