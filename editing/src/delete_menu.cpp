// "Menü--": deletes the menu shown after a confirmation, refills "-menue-"
// from the first numbered MenuFile and pages to the next menu.
#include "editing/delete_menu.h"

#include "console/screen_geometry.h"
#include "platform/letters.h"
#include "session/error_handling.h"
#include "session/menu_view.h"
#include "session/program.h"

namespace menue {

namespace {

bool confirmed(Program& program) {
  program.screen.moveTo(PromptRow, program.screen.column());
  program.screen.writeText("  ");
  program.screen.printText(" wirklich das gesammte angezeigte Men\xFC l\xF6schen ? ");
  const Key key = program.input.waitForInput().key;
  return key.character() == U'J' || key.character() == U'j';
}

Next deleteConfirmedMenu(Program& program) {
  if (!confirmed(program)) return Next::Continue;
  ProgramState& state = program.state;
  MenuSetView& menuSet = program.menuSet;
  const PlatformCode removed = menuSet.remove(state.currentMenuName, program.model);
  if (removed != code::Success) return checkEditWrite(program, removed);
  if (state.currentMenuName != FirstMenuName) {
    pageToNextMenu(program);
    return Next::Continue;
  }
  if (menuSet.anyNumbered()) {
    bool adopted = false;
    const Next next = handlePlatformResult(program, menuSet.adopt(state.currentMenuName, adopted));
    if (next != Next::Continue) return next;
    if (adopted) state.menuPresent = true;
    pageToNextMenu(program);
    return Next::Continue;
  }
  state.menuPresent = false;
  return Next::Continue;
}

}  // namespace

Next deleteMenu(Program& program) {
  const Next next = deleteConfirmedMenu(program);
  if (next != Next::Continue) return next;
  program.screen.clearScreen();
  return Next::Done;
}

}  // namespace menue
