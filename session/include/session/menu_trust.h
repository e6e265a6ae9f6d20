// The refusal of a MenuFile that others may have changed: its menu is shown,
// but what it says is not run and it is not edited.
#pragma once

#include <string>

#include "platform/platform.h"
#include "session/next.h"

namespace menue {

struct Program;

// Why a MenuFile that others may have changed is refused (Windows-1252,
// "Menüdatei gehört einem anderen Benutzer"); empty for a trusted one.
std::string untrustedMenuText(FileTrust trust);

// What would be done with the MenuFile shown.
enum class MenuUse { Run, Edit };

// Continue when the MenuFile shown is trusted. Otherwise says at the cursor
// why it is refused, pauses, and the pass starts afresh with the menu.
Next refuseUntrustedMenu(Program& program, MenuUse use);

}  // namespace menue
