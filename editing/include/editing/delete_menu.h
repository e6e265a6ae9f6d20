// "Menü--": deletes the menu shown after a confirmation.
#pragma once

#include "session/next.h"

namespace menue {

struct Program;

// Done when the command ran to its end (deleted or not).
Next deleteMenu(Program& program);

}  // namespace menue
