// The fixed pauses after messages: the screen is brought up to date first,
// so the message is seen during the pause.
#include "session/pause.h"

#include "session/program.h"

namespace menue {

void pause(Program& program, int milliseconds) {
  program.menuSet.invalidate();
  program.screen.present();
  program.platform.clock.sleepMs(milliseconds);
  program.input.markBusy();
}

}  // namespace menue
