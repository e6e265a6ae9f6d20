// Directory navigation at the prompt (home, cd, drive changes), following
// the directory with the menu, and the pass-through of any other line to the
// command interpreter by way of the LaunchScript.
#include "control/navigation.h"

#include <algorithm>

#include "console/input.h"
#include "control/program_state.h"
#include "exec/error_handling.h"
#include "exec/run_item.h"
#include "menufile/menu_set.h"

namespace menue {

namespace {

constexpr std::size_t MaxCdArgument = 100;
constexpr std::size_t MaxDrivePath = 500;

// The platform's directory change; a missing directory reads as "path not
// found" whatever the platform called it.
void setDirectory(Program& program, const std::string& path) {
  PlatformCode code = program.platform.files.changeDirectory(path);
  if (code == 0) return;
  int number = errorNumberFor(code);
  reportError(program, number == 53 ? 76 : number);
}

[[noreturn]] void followDirectory(Program& program) {
  program.state.inputLine.clear();
  program.screen.clearScreen();
  if (!menuFileExists(program, program.state.currentMenuName)) {
    program.state.currentMenuName = std::string(FirstMenuName);
  }
  throw NewPass{};
}

}  // namespace

std::string currentDirectory(Program& program) {
  std::string path;
  check(program, program.platform.files.currentDirectory(path));
  return path;
}

bool atStartDirectory(Program& program) {
  return currentDirectory(program) == program.state.startDrive + program.state.startPath;
}

void changeDirectoryTo(Program& program, const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) reportError(program, 76);
  std::string target = path;
  if (program.platform.rules.backslashToSlash)
    std::replace(target.begin(), target.end(), '\\', '/');
  setDirectory(program, target);
}

void changeDriveTo(Program& program, char letter) {
  if (!program.platform.rules.hasDrives) {
    reportError(program, 76);
    return;
  }
  check(program, program.platform.files.changeDrive(letter));
}

void changeToStart(Program& program) {
  const ProgramState& state = program.state;
  // Without a drive letter (POSIX, a network path) the two parts are one path.
  bool driveLetter = state.startDrive.size() == 2 && state.startDrive[1] == ':';
  if (!program.platform.rules.hasDrives || !driveLetter) {
    setDirectory(program, state.startDrive + state.startPath);
    return;
  }
  changeDriveTo(program, state.startDrive[0]);
  setDirectory(program, state.startPath);
}

void goHome(Program& program) {
  changeToStart(program);
  followDirectory(program);
}

void changeDirectory(Program& program, const std::string& line) {
  std::string argument = line.size() > 2 ? line.substr(2, MaxCdArgument) : std::string();
  if (!argument.empty() && argument[0] == ' ') argument.erase(0, 1);
  changeDirectoryTo(program, argument);
  followDirectory(program);
}

void changeDrive(Program& program, const std::string& line) {
  changeDriveTo(program, line[0]);
  if (line.size() > 2) changeDirectoryTo(program, line.substr(2, MaxDrivePath));
  followDirectory(program);
}

void passThrough(Program& program, const std::string& line) {
  writeLaunchScript(program, line + "\r\n");
  program.screen.clearScreen();
  startProcess(program, program.state.launchScriptPath, true);
  afterCommandWait(program);
}

void afterCommandWait(Program& program) {
  waitForInput(program);
  armGeneralHandler(program);
  program.screen.clearScreen();
  program.state.inputLine.clear();
  throw NewPass{};
}

}  // namespace menue
