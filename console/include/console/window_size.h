// Whether the window is large enough for the menu's screens, and the one
// line shown in their place while it is not.
#pragma once

#include <string>

#include "platform/platform.h"

namespace menue {

// At least LeastWindow in both directions.
bool windowFits(WindowSize window);
// The notice in Windows-1252 ("Fenster zu klein: 80x25 nötig, 60x15
// vorhanden"); empty when the window fits.
std::string smallWindowNotice(WindowSize window);

}  // namespace menue
