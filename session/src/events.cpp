// The session's waits for one event: the console's wait, with the event
// kept as the program's last Key and click data.
#include "session/events.h"

#include <utility>

#include "session/program.h"

namespace menue {

namespace {

InputEvent keptEvent(Program& program, InputEvent event) {
  program.state.key = event.key;
  program.state.click = event.click;
  return event;
}

}  // namespace

Key waitEvent(Program& program) {
  program.menuSet.invalidate();
  return keptEvent(program, program.input.waitForInput()).key;
}

std::optional<std::string> waitPromptEvent(Program& program) {
  program.menuSet.invalidate();
  InputEvent event = keptEvent(program, program.input.waitForTyping());
  if (event.kind != InputEvent::Kind::Paste) return std::nullopt;
  return std::move(event.paste);
}

void flushEvents(Program& program) {
  program.input.flushInput();
  program.state.click.kind = ClickKind::None;
}

}  // namespace menue
