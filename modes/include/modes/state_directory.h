// The user's state directory as the command-line modes use it (the edit
// history, the editor's copy, the allowed menus): made where missing, and
// used only where no one else could have prepared it.
#pragma once

#include <optional>
#include <string>

#include "modes/exit_status.h"
#include "modes/menu_path.h"
#include "platform/native.h"
#include "platform/platform.h"

namespace menue {

// The directory, or nothing after "menue: DIRECTORY: why" on `err`: the
// environment names none, or it is another's or open to others.
std::optional<std::string> usableStateDirectory(FileSystem& files, Environment& environment,
                                                const PathRules& rules, StandardStream& err);

// The MenuFile of `path` entered (enterMenuFile) for a mode that keeps
// state beside it, with the state directory usable; else the exit status,
// its line on `err`.
std::optional<ExitStatus> enterWithStateDirectory(CommandServices::Services& services,
                                                  const std::string& path, StandardStream& err,
                                                  MenuFileTarget& target);

}  // namespace menue
