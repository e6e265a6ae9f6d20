// Running a menu item as its ItemStatus says.
#pragma once

#include "session/next.h"

namespace menue {

struct Program;

// Runs item n of the menu shown; a double click on the "--Home--" label
// goes home instead. Numbers outside the menu's items run nothing.
Next runMenuItem(Program& program, int n);

}  // namespace menue
