// The session's waits for one event: the console's wait, with the event
// kept as the program's last Key and click data.
#pragma once

#include "console/key.h"

namespace menue {

struct Program;

// Waits for one key press or click, keeps it as the last event and gives
// its key (none for a click).
Key waitEvent(Program& program);
// Discards pending input; the last event counts as no click.
void flushEvents(Program& program);

}  // namespace menue
