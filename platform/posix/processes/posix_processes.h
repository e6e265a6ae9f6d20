// Starting programs on POSIX: LaunchScripts through /bin/sh, other command
// lines split into words and started with posix_spawnp, without a shell.
#pragma once

#include "platform/platform.h"
#include "processes/child_reaper.h"
#include "processes/terminal_handover.h"

namespace menue {

class PosixProcesses : public Processes {
 public:
  PosixProcesses(TerminalHandover& terminal, ChildReaper& children)
      : terminal_(terminal), children_(children) {}

  PlatformCode start(const std::string& commandLine, bool wait) override;

 private:
  TerminalHandover& terminal_;
  ChildReaper& children_;
};

}  // namespace menue
