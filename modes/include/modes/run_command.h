// menue --run N [DIR]: item N of a directory's menu run as choosing it
// would run it, without the menu, waited for.
#pragma once

#include <optional>
#include <string>

#include "modes/exit_status.h"
#include "platform/native.h"
#include "session/item_command.h"

namespace menue {

// Exit status: the item's; 2 with one line on `err` for an item that the
// command line cannot run (a directory change, a foreign MenuFile's, a
// number out of range, a MenuFile that does not load); 127 when its
// program could not be started.
ExitStatus runItemCommand(CommandServices::Services& services, int number,
                          const std::string& directory, StandardStream& err);

// Why --run does not run the item (German, Windows-1252), or nothing when
// it does; a placeholder runs, doing nothing.
std::optional<std::string> runRefusal(const ItemCommand& item, const PathRules& rules);

}  // namespace menue
