// The help screen and the version line.
#pragma once

#include <string_view>

#include "console/console_screen.h"
#include "console/input.h"

namespace menue {

inline constexpr std::string_view ProductLabel = "MENUE";

// The version number, "1.1", as the version line and --version show it.
std::string_view versionNumber();

// The help screen on rows 2 to 23, until a key or click.
void showHelp(ConsoleScreen& screen, Input& input);
// The version line on row 24, until a key or click.
void showVersion(ConsoleScreen& screen, Input& input);

}  // namespace menue
