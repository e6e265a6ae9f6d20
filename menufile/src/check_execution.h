// The checks of the execution section: the TABs that open the parts, the
// statuses, the directory changes, and text the menu passes over.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "check_support.h"

namespace menue::checks {

// Where the TABs ran out, the lines that should have opened a part: one
// that begins with blanks and a status (an editor expanded its TAB), one
// that begins with a status alone, and a last line of blanks for the end
// marker. Each is reported at its own line, and what follows from it (the
// shifted parts, their statuses) is left out. Gives the first item whose
// part shifted, or 0 when no such line was found.
int checkMissingTabs(const MenuModel& model, const Places& at, Findings& out);

// The TABs after "(Menuausfuhrung)" pair with the items in order. Once they
// run out, the rest of the items have no part and run nothing. One TAB
// short shows as a missing end marker, where the last part runs to the end
// of the text (harmless); but when the last of several parts is empty, a
// TAB is missing further up and every item from there runs the next one's
// commands.
void checkExecutionParts(const MenuModel& model, const Places& at, Findings& out);

// A status other than 1-3 starts nothing: the command lines go to the
// LaunchScript, which is not run. (A single cd or drive line still works.)
// Items from `shiftedFrom` on run another's part: their statuses say nothing.
void checkStatuses(const MenuModel& model, const Places& at, int shiftedFrom, Findings& out);

// An item whose only line changes the directory is carried out by the menu
// itself: blanks at the end belong to the directory's name, and a second
// line, even an empty one, makes it a script that moves no menu.
void checkDirectoryChanges(const MenuModel& model, const Places& at, const CheckRules& rules,
                           int shiftedFrom, Findings& out);

// Lines between "(Menuausfuhrung)" and the first TAB: the menu searches on
// to the TAB and passes over them, so no item runs them. Reported once, at
// the first of them.
void checkBeforeFirstTab(const MenuModel& model, const Places& at, Findings& out);

// The menu reads nothing after the end marker; Menü- and Menü* rebuild the
// file up to the end marker and so drop it. A DOS end-of-file mark there is
// harmless.
void checkAfterEndMarker(const MenuModel& model, const Places& at, Findings& out);

}  // namespace menue::checks
