// The LaunchScript ("@Echo off" and a body, written anew for every use) and
// the start of a process.
#include "control/program_state.h"
#include "exec/error_handling.h"
#include "exec/run_item.h"

namespace menue {

void writeLaunchScript(Program& program, std::string_view body) {
  FileSystem& files = program.platform.files;
  const std::string& path = program.state.launchScriptPath;
  if (files.isPlainFile(path)) check(program, files.deleteFile(path));
  // Created exclusively: a link or file planted in a shared temporary
  // directory between the delete and the create is never followed.
  std::string text = "@Echo off\r\n";
  text += body;
  check(program, files.createNewFile(path, text));
}

bool startProcess(Program& program, const std::string& commandLine, bool wait) {
  // The whole line is handed over; a line the platform cannot take fails
  // before anything starts, rather than running a cut command.
  if (commandLine.size() > program.platform.rules.commandLineLimit ||
      program.platform.processes.start(commandLine, wait) != 0) {
    reportError(program, 51);
    return false;
  }
  return true;
}

}  // namespace menue
