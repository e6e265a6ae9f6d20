// The front end of "menue --check": walks the paths named, reads each
// MenuFile through the platform's file system without changing anything,
// and prints the findings of the MenuFile checks.
#pragma once

#include <string>
#include <vector>

#include "menufile/menu_check.h"
#include "modes/exit_status.h"
#include "platform/platform.h"
#include "session/allowed_menus.h"

namespace menue {

// What the checks take from the menu: the room of the frame and the
// screen, and how an item's only command line changes the directory.
CheckRules menuCheckRules();

// One finding as "SHOWN:LINE:COLUMN: KIND: message" and a line end;
// `shown` is the file's name as already made visible.
void writeFinding(StandardStream& out, const std::string& shown, const MenuFinding& finding);

// Checks a MenuFile, or the MenuFiles of a directory (with `recursive` of
// its whole tree, walked without changing the current directory); no path
// means the current directory. Each finding goes to `out` as
// "FILE:LINE:COLUMN: KIND: message" (no column where none helps), then one
// summary line per file; a path that cannot be read goes to `err`. Every
// path is shown through visiblePath. Refused only for a Fehler, Unusable for a path that cannot be
// read. With `allowed`, a foreign file whose bytes the user allowed gets a note in place of the
// refusal.
ExitStatus runMenuCheck(FileSystem& files, const PathRules& rules,
                        const std::vector<std::string>& paths, bool recursive, StandardStream& out,
                        StandardStream& err, AllowedMenus* allowed = nullptr);

}  // namespace menue
