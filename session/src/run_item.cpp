// Running a menu item: the home-label shortcut, directory commands of
// single-line items, the placeholder, direct starts and LaunchScript runs,
// each with the behaviour of the item's status.
#include "session/run_item.h"

#include <string>

#include "console/menu_screen.h"
#include "session/directory_command.h"
#include "session/error_handling.h"
#include "session/launch_script.h"
#include "session/menu_trust.h"
#include "session/navigation.h"
#include "session/pause.h"
#include "session/program.h"
#include "session/text_forms.h"

namespace menue {

namespace {

// The command line of an item created without commands; it runs nothing.
constexpr std::string_view Placeholder = "'";

Next onHomeLabel(Program& program, const Click& click, bool& onLabel) {
  onLabel = false;
  if (!hitsHomeLabel(program.layout, click)) return Next::Continue;
  bool atStart = true;
  const Next next = atStartDirectory(program, atStart);
  onLabel = !atStart;
  return next;
}

int statusOf(const std::string& part) {
  if (part.empty() || part[0] < '0' || part[0] > '9') return 0;
  return part[0] - '0';
}

bool validStatus(int status) {
  return status >= 1 && status <= 3;
}

Next clearAndEnd(Program& program) {
  program.screen.clearScreen();
  return Next::Done;
}

// A directory command of a single-line item is carried out by the program
// on its own directory; CurrentMenuName stays as it is. A drive change with
// more than the drive is a program to start.
bool isItemDirectoryCommand(const DirectoryCommand& command) {
  using Kind = DirectoryCommand::Kind;
  return command.kind == Kind::Home || command.kind == Kind::ChangeDirectory ||
         (command.kind == Kind::ChangeDrive && command.path.empty());
}

Next runDirectoryCommand(Program& program, const DirectoryCommand& command) {
  Next next = Next::Continue;
  switch (command.kind) {
    case DirectoryCommand::Kind::Home:
      next = changeToStart(program);
      break;
    case DirectoryCommand::Kind::ChangeDirectory:
      next = changeDirectoryTo(program, command.path);
      break;
    case DirectoryCommand::Kind::ChangeDrive:
      next = changeDriveTo(program, command.drive);
      break;
    case DirectoryCommand::Kind::None:
      break;
  }
  return next == Next::Continue ? clearAndEnd(program) : next;
}

Next runDirect(Program& program, const std::string& line, int status) {
  ConsoleScreen& screen = program.screen;
  if (status != 1) screen.clearScreen();
  if (!startProcess(program, line, status == 1)) {
    return startErrorHandler(program, ErrorNumber::InternalError);
  }
  if (status == 3) return Next::End;
  if (status == 2) {
    pause(program);
    screen.clearScreen();
  }
  return clearAndEnd(program);
}

Next runScript(Program& program, const std::string& body, int status) {
  ConsoleScreen& screen = program.screen;
  if (const Next next = writeLaunchScript(program, body); next != Next::Continue) return next;
  if (!validStatus(status)) return Next::NewPass;
  if (status != 1) screen.clearScreen();
  if (!runLaunchScript(program, status == 1)) {
    return startErrorHandler(program, ErrorNumber::InternalError);
  }
  if (status == 3) return Next::End;
  if (status == 1) {
    pause(program);
  } else {
    screen.clearScreen();
    static_cast<void>(program.input.waitForInput());
    program.input.flushInput();
  }
  return Next::Done;
}

}  // namespace

std::optional<std::string> itemDirectoryChange(const std::string& commandLine) {
  const DirectoryCommand command = directoryCommandOf(commandLine);
  if (!isItemDirectoryCommand(command)) return std::nullopt;
  return command.kind == DirectoryCommand::Kind::ChangeDirectory ? command.path : std::string();
}

Next runMenuItem(Program& program, int n, const Click& click) {
  bool onLabel = false;
  if (const Next next = onHomeLabel(program, click, onLabel); next != Next::Continue) return next;
  if (onLabel) return goHome(program);
  // A click outside the item rows can hand over any number; only items of
  // the menu on the screen run (the model keeps the last menu read when the
  // MenuFile is gone).
  if (!program.state.menuPresent || n < 1 || n > program.model.items()) return Next::NewPass;
  // Every item of such a file is refused, a directory change as well: it is
  // still what the file says.
  if (const Next next = refuseUntrustedMenu(program, MenuUse::Run); next != Next::Continue) {
    return next;
  }
  if (program.model.executionPartCut(n)) {
    program.screen.printText(" Befehl l\xE4nger als 1 MB: nicht ausgef\xFChrt.");
    pause(program);
    return Next::NewPass;
  }
  const int status = statusOf(program.model.executionPart(n));
  const MenuModel& model = program.model;
  const PathRules& rules = program.platform.rules;
  const CommandLines commands = commandLinesOf(model, n);
  if (!commands.onlyLine) {
    return runScript(program, menuScriptText(commands.text, model.utf8, rules), status);
  }
  const std::string& line = *commands.onlyLine;
  const std::string commandLine = menuCommandLine(line, model.utf8, rules);
  const DirectoryCommand command = directoryCommandOf(commandLine);
  if (isItemDirectoryCommand(command)) return runDirectoryCommand(program, command);
  if (line == Placeholder) return clearAndEnd(program);
  if (validStatus(status)) return runDirect(program, commandLine, status);
  return runScript(program, menuScriptText(line, model.utf8, rules), status);
}

}  // namespace menue
