// The command loop: one pass loads and draws the menu, writes the prompt,
// waits for one event and acts on it; the run from start-up to the end.
#pragma once

#include "session/next.h"

namespace menue {

struct Program;

// One pass from its loop head (or from its prompt step).
Next onePass(Program& program, bool atPrompt);
// Start-up, then the loop; returns when the program ends.
void runProgram(Program& program);

}  // namespace menue
