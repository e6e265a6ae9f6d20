// Who may have changed a file, told from its owner and mode.
#include "platform/posix/files/file_trust.h"

#include <sys/stat.h>

namespace menue {

FileTrust fileTrustOf(uid_t owner, mode_t mode, uid_t user) {
  // Root can change any file anyway; a file of root's is the system's own.
  if (owner != user && owner != 0) return FileTrust::OtherOwner;
  if ((mode & (S_IWGRP | S_IWOTH)) != 0) return FileTrust::OthersMayWrite;
  return FileTrust::Trusted;
}

}  // namespace menue
