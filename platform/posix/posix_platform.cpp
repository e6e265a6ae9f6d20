// The native platform on POSIX: the terminal console, files, processes,
// environment and clock bundled for the core.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/native.h"
#include "platform/posix/files/path_rules.h"
#include "platform/posix/files/posix_files.h"
#include "platform/posix/input/posix_clock.h"
#include "platform/posix/output/posix_console.h"
#include "platform/posix/processes/child_reaper.h"
#include "platform/posix/processes/posix_processes.h"

extern char** environ;

namespace menue {

namespace {

class PosixEnvironment : public Environment {
 public:
  std::vector<std::string> entries() override {
    std::vector<std::string> all;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
      all.emplace_back(*entry);
    }
    return all;
  }
  std::string stateDirectory() override {
    // Only an absolute XDG_STATE_HOME counts, as the base directory rules say.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/menue";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    return std::string(home) + "/.local/state/menue";
  }
};

// The fallback LaunchScript path when the backend must make its directory.
std::string privateScriptPathOf(const PathRules& rules) {
  const std::string own = privateFallbackScriptPath(geteuid(), rules.launchScriptName);
  return rules.fallbackLaunchScriptPath == own ? own : std::string();
}

class PosixPlatform : public NativePlatform {
 public:
  explicit PosixPlatform(PathRules rules)
      : console_(children_),
        files_(privateScriptPathOf(rules)),
        processes_(console_, children_),
        platform_{console_, files_, processes_, environment_, clock_, std::move(rules)} {}

  Platform& platform() override { return platform_; }

 private:
  ChildReaper children_;
  PosixConsole console_;
  PosixFiles files_;
  PosixProcesses processes_;
  PosixEnvironment environment_;
  PosixClock clock_;
  Platform platform_;
};

// Hands nothing over: the command line's runs start their programs in the
// terminal as menue found it, since it never changed it.
class NoHandover : public TerminalHandover {
 public:
  void suspendForChild() override {}
  void resumeAfterChild() override {}
};

// Files, processes, environment and clock for the command line, without
// the terminal console.
class PosixCommandServices : public CommandServices {
 public:
  explicit PosixCommandServices(PathRules rules)
      : files_(privateScriptPathOf(rules)),
        processes_(handover_, children_),
        services_{files_, processes_, environment_, clock_, std::move(rules)} {}
  Services& services() override { return services_; }

 private:
  NoHandover handover_;
  ChildReaper children_;
  PosixFiles files_;
  PosixProcesses processes_;
  PosixEnvironment environment_;
  PosixClock clock_;
  Services services_;
};

}  // namespace

ConsoleLack consoleLack() {
  // Standard input and output may be redirected while the terminal is there
  // (the menu then uses /dev/tty); without a controlling terminal no key
  // could ever come and no resize or hangup would be told.
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ConsoleLack::Console;
  close(fd);
  // A terminal that only prints line after line would show every cursor
  // movement of the menu as garbage.
  const char* term = std::getenv("TERM");
  if (term != nullptr && std::string_view(term) == "dumb") return ConsoleLack::Positioning;
  return ConsoleLack::None;
}

void resetInheritedSignals() {
  for (const int s : {SIGCHLD, SIGWINCH, SIGTSTP, SIGCONT}) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(s, &action, nullptr);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
}

std::unique_ptr<NativePlatform> createNativePlatform() {
  return std::make_unique<PosixPlatform>(currentPosixPathRules());
}

NativeFiles createNativeFiles() {
  // Every mode starts here. A write past the file-size limit (ulimit -f)
  // then fails with EFBIG and is reported like any failed write, instead of
  // killing the program in the middle of an edit; started programs get the
  // default back.
  signal(SIGXFSZ, SIG_IGN);
  return {std::make_unique<PosixFiles>(), currentPosixPathRules()};
}

std::unique_ptr<CommandServices> createCommandServices() {
  return std::make_unique<PosixCommandServices>(currentPosixPathRules());
}

std::vector<std::string> programArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace menue
