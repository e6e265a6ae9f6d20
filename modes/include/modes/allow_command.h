// menue --allow and --deny: trusting one menu of someone else's for
// exactly the bytes it holds now, and forgetting that again.
#pragma once

#include <string>

#include "modes/exit_status.h"
#include "platform/native.h"
#include "platform/platform.h"

namespace menue {

// Shows what the MenuFile (PATH, a directory's shown one, or the current
// directory's) runs, as --list does, asks, and records it. Exit status: 0
// allowed, 1 declined or refused (one everyone may write, too large, not
// loading), 2 unusable (no MenuFile, no private state directory).
ExitStatus runAllow(CommandServices::Services& services, const std::string& path, StandardInput& in,
                    StandardStream& out, StandardStream& err);
// Forgets the MenuFile's entry: 0 forgotten, 1 it had none, 2 unusable.
ExitStatus runDeny(CommandServices::Services& services, const std::string& path,
                   StandardStream& out, StandardStream& err);

}  // namespace menue
