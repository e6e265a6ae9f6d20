// The command table: which action a typed line starts, as declared rows
// tested from the top; the first row that matches acts.
#pragma once

#include "session/next.h"

namespace menue {

struct Program;

// Carries out the (trimmed) InputLine.
Next dispatchLine(Program& program);

}  // namespace menue
