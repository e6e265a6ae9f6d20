// The command table: which action a typed line starts, as declared rows
// tested from the top; the first row that matches acts.
#include "interactive/command_table.h"

#include <array>
#include <string>
#include <string_view>

#include "console/help.h"
#include "editing/add_item.h"
#include "editing/delete_menu.h"
#include "editing/new_menu.h"
#include "editing/remove_item.h"
#include "editing/swap_items.h"
#include "platform/text_codec.h"
#include "platform/utf8.h"
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
  std::string upper;  // upperTyped: the menu commands ignore case, umlauts too
  DirectoryCommand directory;
  bool isHomeWord = false;
};

// What a row needs: nothing, or a menu shown that may be edited (a
// MenuFile others may have changed is shown but not edited).
enum class Needs { Nothing, EditableMenu };

struct Command {
  // A line this row carries out (typed text), which no row above takes.
  std::string_view example;
  Needs needs;
  bool (*matches)(const CommandLine&);
  Next (*run)(Program&, const CommandLine&);
};

// "Menü" upper-cased, in UTF-8.
constexpr std::string_view MenuWord = "MEN\xC3\x9C";

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

Next runVersion(Program& program, const CommandLine&) {
  showVersion(program.screen, program.input);
  return Next::Done;
}

Next runNewMenu(Program& program, const CommandLine&) {
  return newMenu(program);
}

Next runAddItem(Program& program, const CommandLine& line) {
  return addItem(program, line.upper);
}

Next runSwapItems(Program& program, const CommandLine& line) {
  return swapItems(program, line.upper);
}

Next runDeleteMenu(Program& program, const CommandLine&) {
  return deleteMenu(program);
}

Next runRemoveItem(Program& program, const CommandLine& line) {
  return removeItem(program, line.upper);
}

Next runHelp(Program& program, const CommandLine&) {
  showHelp(program.screen, program.input);
  return Next::Done;
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

// Tested from the top; each row's example reaches its own row first
// (command_table_test), so "Men\xC3\xBC++" stays before "Men\xC3\xBC+" and "cd !"
// before "cd ".
constexpr std::array<Command, 11> Commands{{
    {"Version", AnyTime, isVersion, runVersion},
    // A new menu is a file of the user's own: it edits none that is there.
    {"men\xC3\xBC++", AnyTime, isMenuCommand<'+', '+'>, runNewMenu},
    {"Men\xC3\xBC+3", Editable, isMenuCommand<'+'>, runAddItem},
    {"Men\xC3\xBC*2+5", Editable, isMenuCommand<'*'>, runSwapItems},
    {"MEN\xC3\x9C--", Editable, isMenuCommand<'-', '-'>, runDeleteMenu},
    {"Men\xC3\xBC-2", Editable, isMenuCommand<'-'>, runRemoveItem},
    {"Hilfe", AnyTime, isHelp, runHelp},
    {"cd !", AnyTime, isHome, runGoHome},
    {"cd ..", AnyTime, isChangeDirectory, runChangeDirectory},
    {"D:\\daten", AnyTime, isChangeDrive, runChangeDrive},
    // Everything else, the empty line included, goes to the command
    // interpreter.
    {"dir", AnyTime, always, runPassThrough},
}};

// A command's name (typed text) as the program's texts are written: '?'
// for a character Windows-1252 lacks.
std::string windows1252Of(std::string_view typed) {
  std::string text;
  for (std::size_t at = 0; at < typed.size();) {
    const Utf8Character read = readUtf8(typed, at);
    std::string character;
    if (read.valid) appendUtf8(character, read.character);
    const EncodeResult encoded = encodeText(character, TextEncoding::Windows1252);
    text += encoded.ok && !character.empty() ? encoded.bytes : "?";
    at += read.length;
  }
  return text;
}

CommandLine formsOf(const std::string& line) {
  return {line, upperTyped(line), directoryCommandOf(line), lowerAscii(line) == "home"};
}

// The first row that takes the line; every line reaches one (the last row
// takes all).
std::size_t rowFor(const CommandLine& forms, bool menuShown) {
  std::size_t row = 0;
  for (const Command& command : Commands) {
    if ((command.needs == Needs::Nothing || menuShown) && command.matches(forms)) return row;
    ++row;
  }
  return Commands.size() - 1;
}

}  // namespace

std::size_t commandRows() {
  return Commands.size();
}

std::string_view commandExample(std::size_t row) {
  return Commands.at(row).example;
}

std::size_t commandRowOf(const std::string& line, bool menuShown) {
  return rowFor(formsOf(line), menuShown);
}

Next dispatchLine(Program& program) {
  const CommandLine forms = formsOf(program.state.inputLine);
  const Command& command = Commands[rowFor(forms, program.state.menuPresent)];
  if (command.needs == Needs::EditableMenu) {
    // The refused command ends like any other.
    if (refuseUntrustedMenu(program, MenuUse::Edit) != Next::Continue) return Next::Done;
  }
  // The edit history names a change by the command typed.
  program.state.editCause = windows1252Of(program.state.inputLine);
  return command.run(program, forms);
}

}  // namespace menue
