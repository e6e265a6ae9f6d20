// The session's waits for one event: the console's waits, with the
// directory's MenuSet listing dropped, as another program may change the
// directory meanwhile.
#pragma once

#include "console/key.h"

namespace menue {

struct Program;

// Waits for one key press or click and gives its key (none for a click).
Key waitEvent(Program& program);
// The same at the prompt, where a paste ends the wait too: the whole event.
InputEvent waitPromptEvent(Program& program);
// Discards pending input.
void flushEvents(Program& program);

}  // namespace menue
