// The session's waits for one event: the console's wait, with the event
// kept as the program's last Key and click data.
#include "session/events.h"

#include "session/program.h"

namespace menue {

Key waitEvent(Program& program) {
  program.menuSet.invalidate();
  const InputEvent event = program.input.waitForInput();
  program.state.key = event.key;
  program.state.click = event.click;
  return event.key;
}

void flushEvents(Program& program) {
  program.input.flushInput();
  program.state.click.kind = ClickKind::None;
}

}  // namespace menue
