// "Menü+": the insertion dialogue that adds an item to the current MenuFile,
// and the creation dialogue that writes a new MenuFile when there is none.
// Both keep the answers in memory and write once, at the end.
#include <string>

#include "console/input.h"
#include "console/menu_screen.h"
#include "control/program_state.h"
#include "exec/error_handling.h"
#include "menufile/edit_dialogue.h"
#include "menufile/menu_edit.h"
#include "menufile/menu_model.h"
#include "menufile/menu_set.h"
#include "menufile/menu_text.h"

namespace menue {

namespace {

constexpr std::size_t CreatedTextLimit = 76;

std::string readCut(Program& program, std::string_view prompt) {
  program.screen.writeText(prompt);
  std::string line = readLine(program);
  if (line.size() > CreatedTextLimit) line.resize(CreatedTextLimit);
  return line;
}

void createMenuFile(Program& program) {
  program.screen.endLine();
  const std::string header = readCut(program, " Kopfzeile (max.76 zeichen)>");
  const std::string displayText = readCut(program, " Anzeigetext (max 76 Zeichen)>");
  const std::string text =
      displayText.empty() ? std::string() : newMenuFileText(header, displayText, '1', "");
  // An empty display text abandons the dialogue, and so does one that would
  // not load as a menu of one item (a marker typed into header or text):
  // no file, the command stays on the prompt line.
  if (text.empty() || !loadsWithItems(text, 1)) throw NewPass{};
  const char status = askStatus(program);
  program.screen.endLine();
  const std::string commands = readCommandLines(program, " Befehlszeile (beenden mit <Enter>):");
  rewriteMenuFile(program, newMenuFileText(header, displayText, status, commands));
}

void insertItem(Program& program, const std::string& commandText) {
  const MenuModel& model = program.model;
  const int items = model.usableItems();
  long position = items + 1;
  positionInCommand(commandText, position);
  // Only a parsed menu is edited: nothing sound to insert into otherwise.
  if (!isParsed(model) || position < 1 || position > items + 1 || position > MaxItems ||
      items >= MaxItems) {
    return;
  }
  program.screen.endLine();
  program.screen.writeText("Anzeigetext >");
  const std::string displayText = readLine(program);
  if (displayText.empty()) return;
  program.screen.endLine();
  const char status = askStatus(program);
  const std::string commands = readCommandLines(program, "Befehlszeile (beenden mit <Enter>:)");
  std::string text =
      insertItemText(model, static_cast<int>(position), displayText, status, commands);
  // A display text holding the execution marker would end the display
  // section early and pair items with the wrong commands.
  if (!loadsWithItems(text, items + 1)) return;
  rewriteMenuFile(program, std::move(text));
  drawMenuItems(program);
}

}  // namespace

void addItem(Program& program, const std::string& commandText) {
  if (menuFileExists(program, program.state.currentMenuName)) {
    insertItem(program, commandText);
  } else {
    createMenuFile(program);
  }
  finishEdit(program);
}

}  // namespace menue
