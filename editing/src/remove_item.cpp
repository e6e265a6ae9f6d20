// "Menü-": removes one item, its display line and its ExecutionPart, from
// the current MenuFile; asks for the number when the command gives none.
#include "editing/remove_item.h"

#include "editing/edit_dialogue.h"
#include "menufile/menu_text_builders.h"
#include "menufile/number_reader.h"
#include "session/menu_view.h"
#include "session/program.h"

namespace menue {

namespace {

long askItemNumber(Program& program) {
  program.screen.endLine();
  program.screen.printText(" Den wievielten Men\xFCpunkt entfernen ?", true);
  std::string answer = program.input.readLine();
  const std::size_t comma = answer.find(',');
  if (comma != std::string::npos) answer.resize(comma);
  return readWholeNumber(answer);
}

Next removeChosenItem(Program& program, const std::string& commandText) {
  if (const Next next = wholeMenuForEdit(program); next != Next::Continue) return next;
  program.screen.clearScreen();
  long position = 0;
  positionInCommand(commandText, position);
  if (position <= 0) position = askItemNumber(program);
  if (position < 1 || position > program.model.items()) return Next::Continue;
  return rewriteCurrentMenu(program, removeItemText(program.model, static_cast<int>(position)));
}

}  // namespace

Next removeItem(Program& program, const std::string& commandText) {
  return finishEdit(program, removeChosenItem(program, commandText));
}

}  // namespace menue
