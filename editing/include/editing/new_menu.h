// "Menü++": creates a further menu under the first free MenuFile name.
#pragma once

#include "session/next.h"

namespace menue {

struct Program;

// Done when the command ran to its end.
Next newMenu(Program& program);

}  // namespace menue
