// The session's waits for one event: the console's waits, with the
// directory's MenuSet listing dropped, as another program may change the
// directory meanwhile.
#include "session/events.h"

#include "session/program.h"

namespace menue {

Key waitEvent(Program& program) {
  program.menuSet.invalidate();
  return program.input.waitForInput().key;
}

InputEvent waitPromptEvent(Program& program) {
  program.menuSet.invalidate();
  return program.input.waitForTyping();
}

void flushEvents(Program& program) {
  program.input.flushInput();
}

}  // namespace menue
