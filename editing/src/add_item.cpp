// "Menü+": the insertion dialogue that adds an item to the current MenuFile,
// and the creation dialogue that writes a new MenuFile when there is none.
// Both keep the answers in memory and write once, at the end.
#include "editing/add_item.h"

#include "console/menu_screen.h"
#include "editing/edit_dialogue.h"
#include "menufile/menu_encoding.h"
#include "menufile/menu_parse.h"
#include "menufile/menu_text_builders.h"
#include "platform/text_width.h"
#include "session/menu_view.h"
#include "session/program.h"
#include "session/text_refusal.h"

namespace menue {

namespace {

// The header as the dialogue has always taken it; a display text as long
// as the frame leaves it whole, which the question says.
constexpr int HeaderLimit = 76;

// A typed line cut to the columns it may take; a wide character is never
// split.
std::string readCut(Program& program, std::string_view prompt, int columns) {
  program.screen.writeText(prompt);
  std::string line = program.input.readLine();
  line.resize(prefixWithinColumns(line, columns));
  return line;
}

// Typed text as the MenuFile stores it; false, with the refusal shown, when
// the file cannot hold a character of it: nothing is written then.
bool stored(Program& program, const std::string& typed, TextEncoding encoding, std::string& bytes,
            Next& refused) {
  StoredText text = storedText(typed, encoding);
  if (!text.ok) {
    refused = refuseTypedText(program, text.refusal);
    return false;
  }
  bytes = std::move(text.bytes);
  return true;
}

// A new MenuFile is written in the encoding the platform gives created
// menus; the typed texts are cut to their length in columns first.
Next createMenuFile(Program& program) {
  const bool utf8 = program.platform.rules.createdMenusInUtf8;
  const TextEncoding encoding = utf8 ? TextEncoding::Utf8 : TextEncoding::Oem850;
  Next refused = Next::Continue;
  program.screen.endLine();
  std::string header;
  if (!stored(program, readCut(program, " Kopfzeile (max.76 zeichen)>", HeaderLimit), encoding,
              header, refused)) {
    return refused;
  }
  const int displayLimit = longestFramedText();
  std::string displayText;
  if (!stored(program,
              readCut(program, " Anzeigetext (max " + std::to_string(displayLimit) + " Zeichen)>",
                      displayLimit),
              encoding, displayText, refused)) {
    return refused;
  }
  const std::string text =
      displayText.empty() ? std::string() : newMenuFileText(header, displayText, '1', "", utf8);
  // An empty display text abandons the dialogue, and so does one that would
  // not load as a menu of one item (a marker typed into header or text):
  // no file, the command stays on the prompt line.
  if (text.empty() || !loadsWithItems(text, 1)) return Next::NewPass;
  const char status = askStatus(program);
  program.screen.endLine();
  std::string commands;
  if (!stored(program, readCommandLines(program, " Befehlszeile (beenden mit <Enter>):"), encoding,
              commands, refused)) {
    return refused;
  }
  return createCurrentMenu(program, newMenuFileText(header, displayText, status, commands, utf8));
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
  const TextEncoding encoding = encodingOf(model);
  Next refused = Next::Continue;
  std::string displayBytes;
  std::string commandBytes;
  if (!stored(program, displayText, encoding, displayBytes, refused) ||
      !stored(program, commands, encoding, commandBytes, refused)) {
    return refused;
  }
  std::string text =
      insertItemText(model, static_cast<int>(position), displayBytes, status, commandBytes);
  // A display text holding the execution marker would end the display
  // section early and pair items with the wrong commands.
  if (!loadsWithItems(text, items + 1)) return Next::Continue;
  return rewriteCurrentMenu(program, std::move(text));
}

}  // namespace

Next addItem(Program& program, const std::string& commandText) {
  const Next next = program.menuSet.exists(program.state.currentMenuName)
                        ? insertItem(program, commandText)
                        : createMenuFile(program);
  return finishEdit(program, next);
}

}  // namespace menue
