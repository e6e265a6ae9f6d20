// "Menü-": removes one item, its display line and its ExecutionPart, from
// the current MenuFile; asks for the number when the command gives none.
#include <string>

#include "console/input.h"
#include "console/menu_screen.h"
#include "control/program_state.h"
#include "menufile/edit_dialogue.h"
#include "menufile/menu_edit.h"
#include "menufile/menu_model.h"

namespace menue {

namespace {

long askItemNumber(Program& program) {
  program.screen.endLine();
  program.screen.printText(" Den wievielten Men\xFCpunkt entfernen ?", true);
  std::string answer = readLine(program);
  const std::size_t comma = answer.find(',');
  if (comma != std::string::npos) answer.resize(comma);
  return readWholeNumber(answer);
}

void removeChosenItem(Program& program, const std::string& commandText) {
  program.screen.clearScreen();
  long position = 0;
  positionInCommand(commandText, position);
  if (position <= 0) position = askItemNumber(program);
  if (position < 1 || position > program.model.usableItems()) return;
  rewriteMenuFile(program, removeItemText(program.model, static_cast<int>(position)));
  drawMenuItems(program);
}

}  // namespace

void removeItem(Program& program, const std::string& commandText) {
  removeChosenItem(program, commandText);
  finishEdit(program);
}

}  // namespace menue
