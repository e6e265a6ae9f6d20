// menue --edit [PATH]: a MenuFile edited as a copy in the user's editor,
// checked, and installed only over the text that was copied.
#pragma once

#include <string>

#include "modes/exit_status.h"
#include "platform/native.h"
#include "session/edit_recording.h"

namespace menue {

// Exit status 0 when installed or nothing was changed; 1 when discarded,
// refused for a change made meanwhile (the copy is kept and named) or the
// editor failed; 2 for a path or copy that cannot be used.
ExitStatus runEdit(CommandServices::Services& services, EditRecording& recording,
                   const std::string& path, StandardInput& in, StandardStream& out,
                   StandardStream& err);

}  // namespace menue
