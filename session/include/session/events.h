// The session's waits for one event: the console's wait, with the event
// kept as the program's last Key and click data.
#pragma once

#include <optional>
#include <string>

#include "console/key.h"

namespace menue {

struct Program;

// Waits for one key press or click, keeps it as the last event and gives
// its key (none for a click).
Key waitEvent(Program& program);
// The same at the prompt, where a paste ends the wait too: gives the text to
// type for a paste, nothing for a key press or click.
std::optional<std::string> waitPromptEvent(Program& program);
// Discards pending input; the last event counts as no click.
void flushEvents(Program& program);

}  // namespace menue
