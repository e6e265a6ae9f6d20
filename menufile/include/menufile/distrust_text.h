// What is said of a file that others may have changed: one text per kind
// of distrust, for the menu, the modes and the checker alike.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace menue {

// "gehört einem anderen Benutzer", "für andere beschreibbar"
// (Windows-1252); empty for a trusted file.
std::string_view distrustText(FileTrust trust);

}  // namespace menue
