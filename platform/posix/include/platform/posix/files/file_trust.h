// Who may have changed a file, told from its owner, group and mode: the
// rule by which the menu runs and edits only the MenuFiles of the user or
// of root that no one else may write.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include "platform/platform.h"
#include "platform/posix/files/private_groups.h"

namespace menue {

// `info` as stat gives it; `user` the effective user. Group write counts
// only where the group holds someone besides the owner.
FileTrust fileTrustOf(const struct stat& info, uid_t user, PrivateGroups& groups);

// Whether a directory of the user's may hold the user's private files: no
// one but its owner may enter or change it.
bool privateDirectoryMode(const struct stat& info, PrivateGroups& groups);

}  // namespace menue
