// menue --run N [DIR]: item N of a directory's menu run as choosing it
// would run it, without the menu, waited for.
#pragma once

#include <string>

#include "platform/native.h"

namespace menue {

// Exit status: the item's; 2 with one line on `err` for an item that the
// command line cannot run (a directory change, a foreign MenuFile's, a
// number out of range, a MenuFile that does not load); 127 when its
// program could not be started.
int runItemCommand(CommandServices::Services& services, int number, const std::string& directory,
                   StandardStream& err);

}  // namespace menue
