// The virtual backend for tests: an in-memory console with scripted input, an
// in-memory file system with the Windows rules (drives, case-insensitive
// names, attributes, a current directory per drive) and fault injection,
// recorded process starts, a given environment and a clock that only counts.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/virtual/virtual_console.h"
#include "platform/virtual/virtual_files.h"

namespace menue {

struct StartedProcess {
  std::string commandLine;
  bool wait = false;
  std::string directory;
  std::string launchScript;  // the bytes of the started file, if it is one
  bool script = false;       // run as a script by its path (runScript)
};

class VirtualProcesses : public Processes {
 public:
  explicit VirtualProcesses(VirtualFileSystem& files) : files_(files) {}
  PlatformCode start(const std::string& commandLine, bool wait) override;
  // Recorded as a start of the path, marked as a script run.
  PlatformCode runScript(const std::string& path, bool wait) override;

  std::vector<StartedProcess> started;
  // Starts fail with this code (0: they succeed).
  PlatformCode failWith = code::Success;
  // Command lines that cannot be started (besides the empty one).
  std::set<std::string> missing;
  // Runs at every successful start (a test can write files, the screen...).
  std::function<void(const StartedProcess&)> onStart;

 private:
  PlatformCode record(StartedProcess process);

  VirtualFileSystem& files_;
};

class VirtualEnvironment : public Environment {
 public:
  std::vector<std::string> entries() override { return values; }
  std::vector<std::string> values;
};

class VirtualClock : public Clock {
 public:
  void sleepMs(int milliseconds) override { pauses.push_back(milliseconds); }
  std::vector<int> pauses;
};

class VirtualPlatform {
 public:
  VirtualPlatform();
  Platform& platform() { return platform_; }

  VirtualConsole console;
  VirtualFileSystem files;
  VirtualProcesses processes{files};
  VirtualEnvironment environment;
  VirtualClock clock;

 private:
  Platform platform_;
};

}  // namespace menue
