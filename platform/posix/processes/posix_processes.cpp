// posix_spawnp with the terminal handed over, signals set to their defaults
// in the child, and waiting or reaping.
#include "processes/posix_processes.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "files/errno_code.h"
#include "files/file_io.h"
#include "output/terminal_guard.h"
#include "processes/command_line.h"

extern char** environ;

namespace menue {

namespace {

constexpr const char* Shell = "/bin/sh";

// What posix_spawnp gets; owns the strings the argument vector points into.
struct SpawnAttributes {
  SpawnAttributes() {
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int s : {SIGINT, SIGQUIT, SIGPIPE}) sigaddset(&defaults, s);
    sigset_t noneBlocked;
    sigemptyset(&noneBlocked);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &noneBlocked);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    posix_spawn_file_actions_init(&actions);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Every descriptor of ours is close-on-exec; this also stops any that
    // the menu itself inherited without the flag.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
  }
  ~SpawnAttributes() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;

  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
};

// The argument words of a start, or the failure that prevents it.
PlatformCode argumentsFor(const std::string& commandLine, std::vector<std::string>& arguments) {
  arguments = splitWords(commandLine);
  if (arguments.empty()) return code::FileNotFound;
  if (!namesScript(arguments[0])) return code::Success;
  std::string script;
  const PlatformCode result = readWholeFile(arguments[0], script);
  if (result != code::Success) return result;
  // sh -c text name args...: the script's name is $0, its arguments $1...
  arguments.insert(arguments.begin(), {Shell, "-c", shellText(script)});
  return code::Success;
}

void waitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace

PlatformCode PosixProcesses::start(const std::string& commandLine, bool wait) {
  std::vector<std::string> arguments;
  const PlatformCode prepared = argumentsFor(commandLine, arguments);
  if (prepared != code::Success) return prepared;
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  children_.reap();
  SpawnAttributes spawn;
  terminal_.suspendForChild();
  pid_t pid = 0;
  int failure = 0;
  {
    // Set before the start so no Ctrl+C can slip in between.
    std::optional<InterruptsIgnored> interruptsIgnored;
    if (wait) interruptsIgnored.emplace();
    failure = posix_spawnp(&pid, argv[0], &spawn.actions, &spawn.attributes, argv.data(), environ);
    if (failure == 0 && wait) waitFor(pid);
  }
  terminal_.resumeAfterChild();
  if (failure != 0) return platformCodeFromErrno(failure);
  if (!wait) children_.add(pid);
  return code::Success;
}

}  // namespace menue
