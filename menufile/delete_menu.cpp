// "Menü--": deletes the menu shown after a confirmation, refills "-menue-"
// from the first numbered MenuFile and pages to the next menu.
#include <cctype>
#include <string>

#include "console/input.h"
#include "control/program_state.h"
#include "exec/error_handling.h"
#include "menufile/menu_edit.h"
#include "menufile/menu_set.h"

namespace menue {

namespace {

constexpr int PromptRow = 24;

bool confirmed(Program& program) {
  program.screen.moveTo(PromptRow, program.screen.column());
  program.screen.writeText("  ");
  program.screen.printText(" wirklich das gesammte angezeigte Men\xFC l\xF6schen ? ");
  waitForInput(program);
  const std::string& key = program.state.key;
  return !key.empty() && std::toupper(static_cast<unsigned char>(key[0])) == 'J';
}

}  // namespace

void deleteMenu(Program& program) {
  if (!confirmed(program)) return;
  ProgramState& state = program.state;
  check(program, program.platform.files.deleteFile(state.currentMenuName));
  if (state.currentMenuName != FirstMenuName) {
    nextMenu(program);
    return;
  }
  if (numberedMenuExists(program)) {
    adoptNumberedMenu(program);
    nextMenu(program);
    return;
  }
  state.menuPresent = false;
  state.inputLine.clear();
  program.screen.clearScreen();
}

}  // namespace menue
