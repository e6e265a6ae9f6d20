// Who may have changed a file, told from its owner and mode: the rule by
// which the menu runs and edits only the MenuFiles of the user or of root
// that no one else may write.
#pragma once

#include <sys/types.h>

#include "platform/platform.h"

namespace menue {

// `owner` and `mode` as stat gives them; `user` the effective user.
FileTrust fileTrustOf(uid_t owner, mode_t mode, uid_t user);

}  // namespace menue
