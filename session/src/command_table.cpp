// The command table: which action a typed line starts, as declared rows
// tested from the top; the first row that matches acts.
#include "session/command_table.h"

#include <array>
#include <string>
#include <string_view>

#include "console/help.h"
#include "editing/add_item.h"
#include "editing/delete_menu.h"
#include "editing/new_menu.h"
#include "editing/remove_item.h"
#include "editing/swap_items.h"
#include "platform/code_pages.h"
#include "session/directory_command.h"
#include "session/menu_trust.h"
#include "session/navigation.h"
#include "session/program.h"
#include "session/text_case.h"

namespace menue {

namespace {

// The forms of the line the rows compare.
struct CommandLine {
  std::string line;
  std::string upper;  // upperOem: the menu commands ignore case, umlauts too
  DirectoryCommand directory;
  bool isHomeWord = false;
};

// What a row needs: nothing, or a menu shown that may be edited (a
// MenuFile others may have changed is shown but not edited).
enum class Needs { Nothing, EditableMenu };

struct Command {
  std::string_view name;  // as the user types it
  Needs needs;
  bool (*matches)(const CommandLine&);
  Next (*run)(Program&, const CommandLine&);
};

// "Menü" with the OEM ü (0x81), upper-cased to Ü (0x9A).
constexpr std::string_view MenuWord = "MEN\x9A";

template <char... Sign>
bool isMenuCommand(const CommandLine& line) {
  constexpr char sign[] = {Sign..., '\0'};
  const std::string_view upper = line.upper;
  return upper.starts_with(MenuWord) && upper.substr(MenuWord.size()).starts_with(sign);
}

bool isVersion(const CommandLine& line) {
  return line.upper == "VERSION";
}

bool isHelp(const CommandLine& line) {
  return line.line == "?" || line.upper == "HILFE" || line.upper == "HELP";
}

bool isHome(const CommandLine& line) {
  return line.directory.kind == DirectoryCommand::Kind::Home || line.isHomeWord;
}

bool isChangeDirectory(const CommandLine& line) {
  return line.directory.kind == DirectoryCommand::Kind::ChangeDirectory;
}

bool isChangeDrive(const CommandLine& line) {
  return line.directory.kind == DirectoryCommand::Kind::ChangeDrive;
}

bool always(const CommandLine&) {
  return true;
}

// An edit ends like every command: the line cleared, a new pass.
Next endCommand(Program& program, Next edit) {
  if (edit != Next::Continue) return edit;
  program.state.inputLine.clear();
  return Next::NewPass;
}

Next runVersion(Program& program, const CommandLine&) {
  program.state.inputLine.clear();
  showVersion(program.screen, program.input);
  return Next::NewPass;
}

Next runNewMenu(Program& program, const CommandLine&) {
  return endCommand(program, newMenu(program));
}

Next runAddItem(Program& program, const CommandLine& line) {
  return endCommand(program, addItem(program, line.upper));
}

Next runSwapItems(Program& program, const CommandLine& line) {
  return endCommand(program, swapItems(program, line.upper));
}

Next runDeleteMenu(Program& program, const CommandLine&) {
  const Next next = deleteMenu(program);
  if (next == Next::Continue) program.screen.clearScreen();
  return endCommand(program, next);
}

Next runRemoveItem(Program& program, const CommandLine& line) {
  return endCommand(program, removeItem(program, line.upper));
}

Next runHelp(Program& program, const CommandLine&) {
  showHelp(program.screen, program.input);
  program.state.inputLine.clear();
  return Next::NewPass;
}

Next runGoHome(Program& program, const CommandLine&) {
  return goHome(program);
}

Next runChangeDirectory(Program& program, const CommandLine& line) {
  return changeDirectory(program, line.directory.path);
}

Next runChangeDrive(Program& program, const CommandLine& line) {
  return changeDrive(program, line.directory.drive, line.directory.path);
}

Next runPassThrough(Program& program, const CommandLine& line) {
  return passThrough(program, line.line);
}

constexpr Needs AnyTime = Needs::Nothing;
constexpr Needs Editable = Needs::EditableMenu;

// Tested from the top: "Menü++" before "Menü+", "Menü--" before "Menü-",
// "cd!" before "cd ".
constexpr std::array<Command, 11> Commands{{
    {"version", AnyTime, isVersion, runVersion},
    // A new menu is a file of the user's own: it edits none that is there.
    {"Men\x81++", AnyTime, isMenuCommand<'+', '+'>, runNewMenu},
    {"Men\x81+", Editable, isMenuCommand<'+'>, runAddItem},
    {"Men\x81*", Editable, isMenuCommand<'*'>, runSwapItems},
    {"Men\x81--", Editable, isMenuCommand<'-', '-'>, runDeleteMenu},
    {"Men\x81-", Editable, isMenuCommand<'-'>, runRemoveItem},
    {"?, help, hilfe", AnyTime, isHelp, runHelp},
    {"cd!, cd !, home", AnyTime, isHome, runGoHome},
    {"cd ..., cd., cd\\", AnyTime, isChangeDirectory, runChangeDirectory},
    {"X:...", AnyTime, isChangeDrive, runChangeDrive},
    // Everything else, the empty line included, goes to the command
    // interpreter.
    {"", AnyTime, always, runPassThrough},
}};

// A command's name (code page 850) as the program's texts are written.
std::string windows1252Of(std::string_view oem) {
  std::string text;
  for (const char c : oem) {
    const char16_t character = oemCharacter(static_cast<unsigned char>(c));
    text += character < 0x100 ? static_cast<char>(character) : '?';
  }
  return text;
}

}  // namespace

Next dispatchLine(Program& program) {
  const std::string& line = program.state.inputLine;
  const CommandLine forms{line, upperOem(line), directoryCommandOf(line),
                          lowerAscii(line) == "home"};
  for (const Command& command : Commands) {
    if (command.needs != Needs::Nothing && !program.state.menuPresent) continue;
    if (!command.matches(forms)) continue;
    if (command.needs == Needs::EditableMenu) {
      if (const Next next = refuseUntrustedMenu(program, MenuUse::Edit); next != Next::Continue) {
        program.state.inputLine.clear();
        return next;
      }
    }
    // The edit history names a change by the command that made it.
    program.state.editCause = windows1252Of(command.name);
    return command.run(program, forms);
  }
  return Next::NewPass;
}

}  // namespace menue
