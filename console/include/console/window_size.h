// The one line shown in place of the menu's screens while the window is
// smaller than they need (the rule itself, `windowFits`, is the platform's,
// whose backends keep the screens whole meanwhile).
#pragma once

#include <string>

#include "platform/platform.h"

namespace menue {

// The notice in Windows-1252 ("Fenster zu klein: 80x24 nötig, 60x15
// vorhanden"); empty when the window fits.
std::string smallWindowNotice(WindowSize window);

}  // namespace menue
