// Running a menu item as its ItemStatus says.
#pragma once

#include <optional>
#include <string>

#include "console/key.h"
#include "session/next.h"

namespace menue {

struct Program;

// Runs item n of the menu shown, for the event that asked (Enter, or a
// double click with its click data); a double click on the "--Home--" label
// goes home instead. Numbers outside the menu's items run nothing.
Next runMenuItem(Program& program, int n, const Click& click);

// The directory an item's only command line moves the menu to ("" when it
// goes home or to a drive), nothing when the line is a program to start.
std::optional<std::string> itemDirectoryChange(const std::string& commandLine);

}  // namespace menue
