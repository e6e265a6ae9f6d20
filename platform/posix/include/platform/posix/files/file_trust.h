// Who may have changed a file, told from its owner, group and mode: the
// rule by which the menu runs and edits only the MenuFiles of the user or
// of root that no one else may write.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

#include "platform/platform.h"
#include "platform/posix/files/private_groups.h"

namespace menue {

// `info` as stat gives it; `user` the effective user. Group write counts
// only where the group holds someone besides the owner, and always where
// the file has an access list (`accessList`), whose mask the group bits
// then are: it may let named users write.
FileTrust fileTrustOf(const struct stat& info, bool accessList, uid_t user, PrivateGroups& groups);

// Whether the file has an access list, asked only where the group bits
// allow writing (no call otherwise); by descriptor or by path (following
// links).
bool writableAccessList(const struct stat& info, int fd);
bool writableAccessList(const struct stat& info, const char* path);

// Whether a directory of the user's may hold the user's private files: no
// one but its owner may enter or change it.
bool privateDirectoryMode(const struct stat& info, PrivateGroups& groups);

// A directory of the user's private files (the fallback LaunchScript's in
// /tmp, the state directory): made by us (when `create`), or refused
// (AccessDenied) when someone else could have prepared it: a link, another
// owner, a mode that lets others in. Not there is fine when nothing is to
// be made: no file can stand in it.
PlatformCode privateDirectory(const std::string& directory, bool create, PrivateGroups& groups);

// Whether a directory that holds a private one keeps it: the user's or
// root's, and no one else may rename or replace what stands in it.
bool keepsItsEntries(const struct stat& info, uid_t user, PrivateGroups& groups);

}  // namespace menue
