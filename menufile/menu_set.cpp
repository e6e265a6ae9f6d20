// The MenuSet of a directory: MenuFile names and numbers, the existence
// tests, adopting a numbered MenuFile for a missing current one, and paging.
#include "menufile/menu_set.h"

#include <string>

#include "control/program_state.h"
#include "exec/error_handling.h"
#include "menufile/menu_text.h"

namespace menue {

std::string menuFileName(int number) {
  if (number <= 1 || number > HighestMenuNumber) return std::string(FirstMenuName);
  std::string name = "-menue";
  name += static_cast<char>('0' + number / 10);
  name += static_cast<char>('0' + number % 10);
  name += '-';
  return name;
}

int menuNumberOf(std::string_view name) {
  int number = 0;
  for (std::size_t i = 6; i < 8 && i < name.size() && isDigit(name[i]); ++i) {
    number = number * 10 + (name[i] - '0');
  }
  return number == 0 ? 1 : number;
}

bool menuFileExists(Program& program, const std::string& name) {
  return !program.platform.files.findPlainFiles(name).empty();
}

bool numberedMenuExists(Program& program) {
  return !program.platform.files.findPlainFiles(std::string(NumberedMenuPattern)).empty();
}

void adoptNumberedMenu(Program& program) {
  const auto found = program.platform.files.findPlainFiles(std::string(NumberedMenuPattern));
  if (found.empty()) return;
  const PlatformCode failure =
      program.platform.files.moveFile(found.front(), program.state.currentMenuName);
  if (failure != code::Success) {
    check(program, failure);
    return;
  }
  program.state.menuPresent = true;
}

void nextMenu(Program& program) {
  ProgramState& state = program.state;
  int number = menuNumberOf(state.currentMenuName);
  bool found = false;
  // One full cycle visits every number once, the current one last.
  for (int step = 0; step < HighestMenuNumber && !found; ++step) {
    number = number >= HighestMenuNumber ? 1 : number + 1;
    state.currentMenuName = menuFileName(number);
    found = menuFileExists(program, state.currentMenuName);
  }
  if (!found) state.currentMenuName = std::string(FirstMenuName);
  state.inputLine.clear();
  state.key.clear();
}

}  // namespace menue
