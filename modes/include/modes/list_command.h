// menue --list: what a menu holds and what each item would run, read
// without changing anything; and the items alone for shell completion.
#pragma once

#include <string>

#include "menufile/menu_file_read.h"
#include "modes/exit_status.h"
#include "platform/platform.h"

namespace menue {

class AllowedMenus;

// Exit status: 0 listed, 1 a MenuFile does not load (its first error on
// standard error), 2 a path that cannot be read. `allowed`: the user's
// allowed menus, which count as trusted (none: only the user's own).
ExitStatus runMenuList(FileSystem& files, const PathRules& rules, const std::string& path, bool all,
                       StandardStream& out, StandardStream& err, AllowedMenus* allowed = nullptr);

// One loaded menu as --list shows it, under the name `shown`.
void listMenu(const PathRules& rules, StandardStream& out, const std::string& shown,
              const MenuFileRead& menu);

// One line per item of the shown menu that --run runs: its number, a TAB
// and its display text. Nothing for a menu that does not load or is not
// trusted; always 0.
ExitStatus runItemList(FileSystem& files, const PathRules& rules, const std::string& directory,
                       StandardStream& out);

}  // namespace menue
