// Running a menu item: the home-label shortcut, directory commands of
// single-line items, the placeholder, direct starts and LaunchScript runs,
// each with the behaviour of the item's status.
#include "exec/run_item.h"

#include <cctype>

#include "console/input.h"
#include "control/command_loop.h"
#include "control/navigation.h"
#include "control/program_state.h"
#include "exec/error_handling.h"

namespace menue {

namespace {

constexpr int PauseMs = 2000;

bool onHomeLabel(Program& program) {
  const MenuLayout& layout = program.layout;
  const ClickData& click = program.click;
  return click.row == layout.frameBottom && click.column >= layout.frameRight - 10 &&
         click.column <= layout.frameRight - 1 && !atStartDirectory(program);
}

int statusOf(const std::string& part) {
  if (part.empty() || !std::isdigit(static_cast<unsigned char>(part[0]))) return 0;
  return part[0] - '0';
}

bool validStatus(int status) {
  return status >= 1 && status <= 3;
}

[[noreturn]] void clearAndNewPass(Program& program) {
  program.screen.clearScreen();
  program.state.inputLine.clear();
  throw NewPass{};
}

// Directory commands of a single-line item, carried out by the program on
// its own directory; CurrentMenuName stays as it is.
bool runDirectoryCommand(Program& program, const std::string& line) {
  std::string lower = lowerAscii(line);
  if (lower.starts_with("cd!") || lower.starts_with("cd !")) {
    changeToStart(program);
  } else if (lower.starts_with("cd ") || lower.starts_with("cd.") || lower.starts_with("cd\\")) {
    changeDirectoryTo(program, line.substr(line[2] == ' ' ? 3 : 2));
  } else if (line.size() == 2 && line[1] == ':') {
    changeDriveTo(program, line[0]);
  } else {
    return false;
  }
  clearAndNewPass(program);
}

[[noreturn]] void runDirect(Program& program, const std::string& line, int status) {
  ConsoleScreen& screen = program.screen;
  if (status != 1) screen.clearScreen();
  {
    StartHandlerScope scope(program);
    startProcess(program, line, status == 1);
  }
  if (status == 3) immediateEnd();
  if (status == 2) {
    program.platform.console.present();
    program.platform.clock.sleepMs(PauseMs);
    screen.clearScreen();
  }
  clearAndNewPass(program);
}

[[noreturn]] void runScript(Program& program, const std::string& body, int status) {
  ConsoleScreen& screen = program.screen;
  writeLaunchScript(program, body);
  if (!validStatus(status)) throw NewPass{};
  if (status != 1) screen.clearScreen();
  {
    StartHandlerScope scope(program);
    startProcess(program, program.state.launchScriptPath, status == 1);
  }
  if (status == 3) immediateEnd();
  if (status == 1) {
    program.platform.console.present();
    program.platform.clock.sleepMs(PauseMs);
  } else {
    screen.clearScreen();
    waitForInput(program);
    flushInput(program);
  }
  program.state.inputLine.clear();
  throw NewPass{};
}

}  // namespace

void runMenuItem(Program& program, int n) {
  if (onHomeLabel(program)) goHome(program);
  // A click outside the item rows can hand over any number; only items of
  // the menu on the screen run (the model keeps the last menu read when the
  // MenuFile is gone).
  if (!program.state.menuPresent || n < 1 || n > program.model.usableItems()) throw NewPass{};
  std::string part = program.model.executionPart(n);
  int status = statusOf(part);
  std::string commands = part.empty() ? std::string() : part.substr(1);

  LineEnd first = findLineEnd(commands, 0);
  bool singleLine =
      first.length == 0 || findLineEnd(commands, first.pos + first.length).length == 0;
  if (!singleLine) runScript(program, commands, status);

  // The command line without its line end.
  std::string line = first.length == 0 ? commands : commands.substr(0, first.pos);
  runDirectoryCommand(program, line);
  if (line == "'") clearAndNewPass(program);
  if (validStatus(status)) runDirect(program, line, status);
  runScript(program, line, status);
}

}  // namespace menue
