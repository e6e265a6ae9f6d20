// The LaunchScript ("@Echo off" and a body, written anew for every use) and
// the start of a process.
#include "session/launch_script.h"

#include "session/error_handling.h"
#include "session/program.h"

namespace menue {

PlatformCode writeLaunchScriptFile(FileSystem& files, const std::string& path,
                                   std::string_view body) {
  if (files.isPlainFile(path)) {
    if (const PlatformCode failure = files.deleteFile(path); failure != code::Success) {
      return failure;
    }
  }
  // Created exclusively: a link or file planted in a shared temporary
  // directory between the delete and the create is never followed.
  std::string text = "@Echo off\r\n";
  text += body;
  return files.createNewFile(path, text);
}

Next writeLaunchScript(Program& program, std::string_view body) {
  program.state.launchScriptWritten = false;
  const PlatformCode failure =
      writeLaunchScriptFile(program.platform.files, program.state.launchScriptPath, body);
  program.state.launchScriptWritten = failure == code::Success;
  return handlePlatformResult(program, failure);
}

bool startProcess(Program& program, const std::string& commandLine, bool throughShell, bool wait) {
  Platform& platform = program.platform;
  // What the started program does to the directory is not known.
  program.menuSet.invalidate();
  // Keys typed while it runs are not meant for the prompt.
  program.input.markBusy();
  // The whole line is handed over; a line the platform cannot take fails
  // before anything starts, rather than running a cut command.
  if (commandLine.size() > platform.rules.commandLineLimit) return false;
  Processes& processes = platform.processes;
  return (throughShell ? processes.startThroughShell(commandLine, wait)
                       : processes.start(commandLine, wait)) == code::Success;
}

bool runLaunchScript(Program& program, bool wait) {
  program.menuSet.invalidate();
  program.input.markBusy();
  // By its path, never spliced into a command line: a temporary directory
  // with blanks or quotes in its name runs the script and nothing else.
  return program.platform.processes.runScript(program.state.launchScriptPath, wait) ==
         code::Success;
}

}  // namespace menue
