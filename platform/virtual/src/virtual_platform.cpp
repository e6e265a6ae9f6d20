// The virtual platform of the tests: recorded process starts and the
// services tied together.
#include "platform/virtual/virtual_platform.h"

#include <cstdio>

namespace menue {

PlatformCode VirtualProcesses::start(const std::string& commandLine, bool wait) {
  return record({commandLine, wait, {}, {}, false});
}

PlatformCode VirtualProcesses::startThroughShell(const std::string& commandLine, bool wait) {
  return record({commandLine, wait, {}, {}, false, true});
}

PlatformCode VirtualProcesses::runScript(const std::string& path, bool wait) {
  return record({path, wait, {}, {}, true});
}

PlatformCode VirtualProcesses::runOnPath(const std::string& command, const std::string& path) {
  return record({command + " \"" + path + "\"", true, {}, {}, false});
}

PlatformCode VirtualProcesses::record(StartedProcess process) {
  const std::string& commandLine = process.commandLine;
  files_.currentDirectory(process.directory);
  if (auto script = files_.file(commandLine)) process.launchScript = *script;
  if (failWith != code::Success) return failWith;
  // Nothing to start, or a program the test said is not there.
  if (commandLine.find_first_not_of(' ') == std::string::npos || missing.count(commandLine)) {
    return code::FileNotFound;
  }
  started.push_back(process);
  if (onStart) onStart(process);
  return code::Success;
}

WallTime VirtualClock::now() {
  const std::int64_t at = seconds++;
  const std::int64_t inDay = at % 86400;
  char text[64];
  std::snprintf(text, sizeof text, "2027-01-15 %02d:%02d:%02d", static_cast<int>(inDay / 3600),
                static_cast<int>(inDay / 60 % 60), static_cast<int>(inDay % 60));
  return {at, text};
}

bool VirtualInput::readLine(std::string& line) {
  if (taken >= lines.size()) return false;
  line = lines[taken++];
  return true;
}

VirtualPlatform::VirtualPlatform()
    : platform_{console, files, processes, environment, clock, PathRules{}} {}

}  // namespace menue
