// "Menü++": creates a further menu under the first free MenuFile name
// through the creation dialogue, or says that the MenuSet is full.
#include <string>

#include "control/program_state.h"
#include "menufile/menu_edit.h"
#include "menufile/menu_set.h"

namespace menue {

namespace {

constexpr int FullMessagePauseMs = 2000;

// The first MenuFile name not in use, or nothing when all 99 are taken.
bool firstFreeMenuName(Program& program, std::string& name) {
  for (int number = 1; number <= HighestMenuNumber; ++number) {
    name = menuFileName(number);
    if (!menuFileExists(program, name)) return true;
  }
  return false;
}

}  // namespace

void newMenu(Program& program) {
  std::string name;
  if (!firstFreeMenuName(program, name)) {
    program.state.currentMenuName = std::string(FirstMenuName);
    program.screen.printText(" Men\xFC Verzeichniss voll ..");
    program.platform.console.present();
    program.platform.clock.sleepMs(FullMessagePauseMs);
    return;
  }
  program.state.currentMenuName = name;
  addItem(program, program.state.inputLine);
}

}  // namespace menue
