// "Menü+": the insertion dialogue that adds an item to the current MenuFile,
// and the creation dialogue that writes a new MenuFile when there is none.
// Both keep the answers in memory and write once, at the end.
#include "editing/add_item.h"

#include "console/menu_screen.h"
#include "editing/edit_dialogue.h"
#include "menufile/menu_parse.h"
#include "menufile/menu_text_builders.h"
#include "session/menu_view.h"
#include "session/program.h"
#include "session/text_forms.h"

namespace menue {

namespace {

// The header as the dialogue has always taken it; a display text as long
// as the frame leaves it whole, which the question says.
constexpr std::size_t HeaderLimit = 76;

std::string readCut(Program& program, std::string_view prompt, std::size_t limit) {
  program.screen.writeText(prompt);
  std::string line = program.input.readLine();
  if (line.size() > limit) line.resize(limit);
  return line;
}

Next createMenuFile(Program& program) {
  program.screen.endLine();
  const std::string header = readCut(program, " Kopfzeile (max.76 zeichen)>", HeaderLimit);
  const int displayLimit = longestFramedText();
  const std::string displayText =
      readCut(program, " Anzeigetext (max " + std::to_string(displayLimit) + " Zeichen)>",
              static_cast<std::size_t>(displayLimit));
  const std::string text =
      displayText.empty() ? std::string() : newMenuFileText(header, displayText, '1', "");
  // An empty display text abandons the dialogue, and so does one that would
  // not load as a menu of one item (a marker typed into header or text):
  // no file, the command stays on the prompt line.
  if (text.empty() || !loadsWithItems(text, 1)) return Next::NewPass;
  const char status = askStatus(program);
  program.screen.endLine();
  const std::string commands = readCommandLines(program, " Befehlszeile (beenden mit <Enter>):");
  return createCurrentMenu(program, newMenuFileText(header, displayText, status, commands));
}

Next insertItem(Program& program, const std::string& commandText) {
  if (const Next next = wholeMenuForEdit(program); next != Next::Continue) return next;
  const MenuModel& model = program.model;
  const int items = model.items();
  long position = items + 1;
  positionInCommand(commandText, position);
  // Only a loaded menu is edited: nothing sound to insert into otherwise.
  if (!model.loaded || position < 1 || position > items + 1 || position > MaxItems ||
      items >= MaxItems) {
    return Next::Continue;
  }
  program.screen.endLine();
  program.screen.writeText("Anzeigetext >");
  const std::string displayText = program.input.readLine();
  if (displayText.empty()) return Next::Continue;
  program.screen.endLine();
  const char status = askStatus(program);
  const std::string commands = readCommandLines(program, "Befehlszeile (beenden mit <Enter>:)");
  std::string text =
      insertItemText(model, static_cast<int>(position), typedMenuText(displayText, model.utf8),
                     status, typedMenuText(commands, model.utf8));
  // A display text holding the execution marker would end the display
  // section early and pair items with the wrong commands.
  if (!loadsWithItems(text, items + 1)) return Next::Continue;
  if (const Next next = rewriteCurrentMenu(program, std::move(text)); next != Next::Continue) {
    return next;
  }
  drawItems(program);
  return Next::Continue;
}

}  // namespace

Next addItem(Program& program, const std::string& commandText) {
  const Next next = program.menuSet.exists(program.state.currentMenuName)
                        ? insertItem(program, commandText)
                        : createMenuFile(program);
  return finishEdit(program, next);
}

}  // namespace menue
