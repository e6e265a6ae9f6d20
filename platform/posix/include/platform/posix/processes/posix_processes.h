// Starting programs on POSIX: LaunchScripts and lines that need the shell
// through /bin/sh, other command lines split into words and started with
// posix_spawnp, without a shell.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/processes/child_reaper.h"
#include "platform/posix/processes/terminal_handover.h"

namespace menue {

class PosixProcesses : public Processes {
 public:
  PosixProcesses(TerminalHandover& terminal, ChildReaper& children)
      : terminal_(terminal), children_(children) {}

  PlatformCode start(const std::string& commandLine, bool wait) override;
  PlatformCode startThroughShell(const std::string& commandLine, bool wait) override;
  PlatformCode runScript(const std::string& path, bool wait) override;
  PlatformCode runOnPath(const std::string& command, const std::string& path) override;
  int lastExitStatus() const override { return lastExitStatus_; }
  void removeAtTermination(const std::string& scriptPath) override;

 private:
  // Runs the script file `arguments[0]` with the rest as its arguments, $0
  // being `name` or, without one, the script's path.
  PlatformCode startScript(std::vector<std::string> arguments, const char* name, bool wait);
  // Starts the words; `scriptFd`, when not -1, reaches the child as the
  // descriptor its shell reads the script from.
  PlatformCode spawn(std::vector<std::string>& arguments, int scriptFd, bool wait);

  TerminalHandover& terminal_;
  ChildReaper& children_;
  int lastExitStatus_ = 0;
};

}  // namespace menue
