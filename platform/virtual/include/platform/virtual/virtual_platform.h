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
  bool shell = false;        // handed to the shell whole (startThroughShell)
};

class VirtualProcesses : public Processes {
 public:
  explicit VirtualProcesses(VirtualFileSystem& files) : files_(files) {}
  PlatformCode start(const std::string& commandLine, bool wait) override;
  PlatformCode startThroughShell(const std::string& commandLine, bool wait) override;
  // Recorded as a start of the path, marked as a script run.
  PlatformCode runScript(const std::string& path, bool wait) override;
  // Recorded as the command line with the path in quotes after it.
  PlatformCode runOnPath(const std::string& command, const std::string& path) override;
  int lastExitStatus() const override { return exitStatus; }
  void removeAtTermination(const std::string& scriptPath) override {
    removedAtTermination = scriptPath;
  }

  std::vector<StartedProcess> started;
  // The LaunchScript a terminating signal would remove.
  std::string removedAtTermination;
  // What every program waited for ends with.
  int exitStatus = 0;
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
  std::string stateDirectory() override { return state; }
  std::vector<std::string> values;
  std::string state = "C:\\Users\\ich\\AppData\\Local\\menue";
};

class VirtualClock : public Clock {
 public:
  void sleepMs(int milliseconds) override { pauses.push_back(milliseconds); }
  // A fixed moment one second later at each question.
  WallTime now() override;
  std::vector<int> pauses;
  std::int64_t seconds = 1'800'000'000;
};

// Answers given one line at a time; the end of input when none is left.
class VirtualInput : public StandardInput {
 public:
  bool readLine(std::string& line) override;
  std::vector<std::string> lines;
  std::size_t taken = 0;
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
