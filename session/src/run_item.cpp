// Running a menu item: the home-label shortcut, directory commands of
// single-line items, the placeholder, direct starts and LaunchScript runs,
// each with the behaviour of the item's status.
#include "session/run_item.h"

#include <string>

#include "console/menu_screen.h"
#include "session/directory_command.h"
#include "session/error_handling.h"
#include "session/item_command.h"
#include "session/launch_script.h"
#include "session/menu_trust.h"
#include "session/navigation.h"
#include "session/pause.h"
#include "session/program.h"
#include "session/text_forms.h"
#include "session/text_refusal.h"

namespace menue {

namespace {

Next onHomeLabel(Program& program, const Click& click, bool& onLabel) {
  onLabel = false;
  if (!hitsHomeLabel(program.layout, click)) return Next::Continue;
  bool atStart = true;
  const Next next = atStartDirectory(program, atStart);
  onLabel = !atStart;
  return next;
}

Next clearAndEnd(Program& program) {
  program.screen.clearScreen();
  return Next::Done;
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

Next runDirect(Program& program, const ItemCommand& item) {
  ConsoleScreen& screen = program.screen;
  const int status = item.status;
  if (status != 1) screen.clearScreen();
  if (!startProcess(program, item.commandLine, item.throughShell, status == 1)) {
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
  if (!runnableStatus(status)) return Next::NewPass;
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
  const ItemCommand item = itemCommandOf(program.model, n, program.platform.rules);
  switch (item.kind) {
    case ItemCommand::Kind::Cut:
      program.screen.printText(" Befehl l\xE4nger als 1 MB: nicht ausgef\xFChrt.");
      pause(program);
      return Next::NewPass;
    case ItemCommand::Kind::Directory:
      return runDirectoryCommand(program, item.directory);
    case ItemCommand::Kind::Placeholder:
      return clearAndEnd(program);
    case ItemCommand::Kind::Direct:
      return runDirect(program, item);
    case ItemCommand::Kind::Script:
      break;
  }
  if (item.unscriptable != 0) return refuseTypedText(program, scriptRefusal(item.unscriptable));
  return runScript(program, item.scriptBody, item.status);
}

}  // namespace menue
