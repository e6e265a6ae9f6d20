// Directory navigation at the prompt (home, cd, drive changes), following
// the directory with the menu, and the pass-through of any other line to the
// command interpreter by way of the LaunchScript.
#include "session/navigation.h"

#include <algorithm>

#include "platform/system_text.h"
#include "session/error_handling.h"
#include "session/launch_script.h"
#include "session/program.h"
#include "session/text_forms.h"
#include "session/text_refusal.h"

namespace menue {

namespace {

// The platform's directory change; a missing directory reads as "path not
// found" whatever the platform called it.
Next setDirectory(Program& program, const std::string& path) {
  program.state.passDirectory.reset();
  const PlatformCode failure = program.platform.files.changeDirectory(path);
  if (failure == code::Success) return Next::Continue;
  const ErrorNumber number = errorNumberFor(failure);
  return generalErrorHandler(
      program, number == ErrorNumber::FileNotFound ? ErrorNumber::PathNotFound : number);
}

Next followDirectory(Program& program) {
  program.screen.clearScreen();
  if (!program.menuSet.exists(program.state.currentMenuName)) {
    program.state.currentMenuName = std::string(FirstMenuName);
  }
  return Next::Done;
}

// A change, then the menu of the new directory.
Next thenFollow(Program& program, Next change) {
  return change == Next::Continue ? followDirectory(program) : change;
}

}  // namespace

Next currentDirectory(Program& program, std::string& path) {
  std::optional<std::string>& known = program.state.passDirectory;
  if (known) {
    path = *known;
    return Next::Continue;
  }
  const PlatformCode failure = program.platform.files.currentDirectory(path);
  if (failure == code::Success) known = path;
  return handlePlatformResult(program, failure);
}

Next atStartDirectory(Program& program, bool& atStart) {
  std::string directory;
  const Next next = currentDirectory(program, directory);
  atStart = directory == program.state.startDrive + program.state.startPath;
  return next;
}

Next changeDirectoryTo(Program& program, const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) {
    return generalErrorHandler(program, ErrorNumber::PathNotFound);
  }
  std::string target = path;
  if (program.platform.rules.backslashToSlash) {
    std::replace(target.begin(), target.end(), '\\', '/');
  }
  return setDirectory(program, target);
}

Next changeDriveTo(Program& program, char letter) {
  if (!program.platform.rules.hasDrives) {
    return generalErrorHandler(program, ErrorNumber::PathNotFound);
  }
  program.state.passDirectory.reset();
  return handlePlatformResult(program, program.platform.files.changeDrive(letter));
}

Next changeToStart(Program& program) {
  const ProgramState& state = program.state;
  // Without a drive letter (POSIX, a network path) the two parts are one path.
  const bool driveLetter = state.startDrive.size() == 2 && state.startDrive[1] == ':';
  if (!program.platform.rules.hasDrives || !driveLetter) {
    return setDirectory(program, state.startDrive + state.startPath);
  }
  if (const Next next = changeDriveTo(program, state.startDrive[0]); next != Next::Continue) {
    return next;
  }
  return setDirectory(program, state.startPath);
}

Next goHome(Program& program) {
  return thenFollow(program, changeToStart(program));
}

Next changeDirectory(Program& program, const std::string& path) {
  // Typed text is the system form: UTF-8 as typed.
  return thenFollow(program, changeDirectoryTo(program, path));
}

Next changeDrive(Program& program, char letter, const std::string& path) {
  Next next = changeDriveTo(program, letter);
  if (next == Next::Continue && !path.empty()) {
    next = changeDirectoryTo(program, path);
  }
  return thenFollow(program, next);
}

Next passThrough(Program& program, const std::string& line) {
  const ScriptText script = typedScriptText(line, program.platform.rules);
  if (!script.ok) return refuseTypedText(program, scriptRefusal(script.refused));
  const std::string body = script.text + "\r\n";
  if (const Next next = writeLaunchScript(program, body); next != Next::Continue) {
    return next;
  }
  program.screen.clearScreen();
  if (!runLaunchScript(program, true)) {
    const Next next = generalErrorHandler(program, ErrorNumber::InternalError);
    if (next != Next::Continue) return next;
  }
  return Next::AfterCommandWait;
}

Next afterCommandWait(Program& program) {
  static_cast<void>(program.input.waitForInput());
  program.screen.clearScreen();
  return Next::Done;
}

}  // namespace menue
