// posix_spawnp with the terminal handed over, signals set to their defaults
// in the child, and waiting or reaping; scripts handed to the shell as its
// text (a large one from a descriptor), lines that need the shell by -c.
#include "platform/posix/processes/posix_processes.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_io.h"
#include "platform/posix/output/terminal_guard.h"
#include "platform/posix/processes/command_line.h"

extern char** environ;

namespace menue {

namespace {

constexpr const char* Shell = "/bin/sh";
// What the shell's own messages name ($0) for a line or a LaunchScript of
// the menu's: the program, not a path of a temporary file.
constexpr const char* ShellName = "menue";
// A script's text up to this size goes to the shell as the text of -c, so
// that its messages name $0 and the line; a larger one (an argument may be
// no larger than 128 KiB) or one holding a NUL is read from a descriptor.
constexpr std::size_t MaxScriptArgument = std::size_t{64} * 1024;
// The descriptor a script's shell text reaches the shell on.
constexpr int ScriptFd = 3;
// The shell reads its script from that descriptor, however long it is.
constexpr const char* ReadScript = ". /dev/fd/3";
// The first line the shell reads: the commands of the script do not inherit
// the descriptor.
constexpr std::string_view CloseScriptFd = "exec 3<&-\n";

// What posix_spawnp gets; owns the strings the argument vector points into.
struct SpawnAttributes {
  // `scriptFd`: a descriptor the child gets as ScriptFd, or -1.
  explicit SpawnAttributes(int scriptFd) {
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int s : SignalsChildrenGetDefault) sigaddset(&defaults, s);
    sigset_t noneBlocked;
    sigemptyset(&noneBlocked);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &noneBlocked);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    posix_spawn_file_actions_init(&actions);
    if (scriptFd >= 0) posix_spawn_file_actions_adddup2(&actions, scriptFd, ScriptFd);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Every descriptor of ours is close-on-exec; this also stops any that
    // the menu itself inherited without the flag.
    posix_spawn_file_actions_addclosefrom_np(&actions, scriptFd >= 0 ? ScriptFd + 1 : ScriptFd);
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

// A file without a name that holds `text`, read from its start; -1 with
// errno set when it cannot be made.
int anonymousFile(std::string_view text) {
#if defined(__linux__)
  int fd = memfd_create("menue-script", MFD_CLOEXEC);
#else
  char name[] = "/tmp/menue-script-XXXXXX";
  int fd = mkstemp(name);
  if (fd >= 0) {
    unlink(name);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
#endif
  if (fd < 0) return -1;
  int failure = writeAll(fd, text);
  if (failure == 0 && lseek(fd, 0, SEEK_SET) != 0) failure = errno;
  if (failure == 0) return fd;
  close(fd);
  errno = failure;
  return -1;
}

// The child's exit status as a shell reports it: its exit code, or 128
// plus the signal that ended it; the errno of a wait that failed (a child
// the system reaped unasked) as a negative number, never a status.
int waitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -errno;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -ECHILD;
}

}  // namespace

void PosixProcesses::removeAtTermination(const std::string& scriptPath) {
  menue::removeAtTermination(scriptPath);
}

PlatformCode PosixProcesses::start(const std::string& commandLine, bool wait) {
  std::vector<std::string> arguments = splitWords(commandLine);
  if (arguments.empty()) return code::FileNotFound;
  if (namesScript(arguments[0])) return startScript(arguments, nullptr, wait);
  return spawn(arguments, -1, wait);
}

PlatformCode PosixProcesses::startThroughShell(const std::string& commandLine, bool wait) {
  std::vector<std::string> arguments = {Shell, "-c", commandLine, ShellName};
  return spawn(arguments, -1, wait);
}

PlatformCode PosixProcesses::runScript(const std::string& path, bool wait) {
  return startScript({path}, ShellName, wait);
}

PlatformCode PosixProcesses::runOnPath(const std::string& command, const std::string& path) {
  // sh -c 'COMMAND "$1"' menue PATH: the path is never part of a text the
  // shell parses.
  std::vector<std::string> arguments = {Shell, "-c", command + " \"$1\"", "menue", path};
  return spawn(arguments, -1, true);
}

PlatformCode PosixProcesses::startScript(std::vector<std::string> arguments, const char* name,
                                         bool wait) {
  // Read here, not by the shell: the file may be written anew for the next
  // item, or deleted at the exit, before a child that is not waited for
  // has read it.
  std::string script;
  if (const PlatformCode failure = readWholeFile(arguments[0], script); failure != code::Success) {
    return failure;
  }
  // sh -c text name args...: the script's name is $0, its arguments $1...
  if (name != nullptr) arguments[0] = name;
  std::string text = shellText(script);
  if (text.size() <= MaxScriptArgument && text.find('\0') == std::string::npos) {
    arguments.insert(arguments.begin(), {Shell, "-c", std::move(text)});
    return spawn(arguments, -1, wait);
  }
  const int fd = anonymousFile(std::string(CloseScriptFd) + text);
  if (fd < 0) return lastErrorCode();
  arguments.insert(arguments.begin(), {Shell, "-c", ReadScript});
  const PlatformCode result = spawn(arguments, fd, wait);
  close(fd);
  return result;
}

PlatformCode PosixProcesses::spawn(std::vector<std::string>& arguments, int scriptFd, bool wait) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  children_.reap();
  SpawnAttributes spawn(scriptFd);
  terminal_.suspendForChild();
  pid_t pid = 0;
  int failure = 0;
  {
    // Set before the start so no Ctrl+C can slip in between.
    std::optional<InterruptsIgnored> interruptsIgnored;
    if (wait) interruptsIgnored.emplace();
    failure = posix_spawnp(&pid, argv[0], &spawn.actions, &spawn.attributes, argv.data(), environ);
    if (failure == 0 && wait) {
      const int status = waitFor(pid);
      if (status < 0) failure = -status;
      lastExitStatus_ = status < 0 ? 0 : status;
    }
  }
  terminal_.resumeAfterChild();
  if (failure != 0) return platformCodeFromErrno(failure);
  if (!wait) children_.add(pid);
  return code::Success;
}

}  // namespace menue
