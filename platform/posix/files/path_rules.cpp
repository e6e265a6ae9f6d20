// The POSIX path rules.
#include "platform/posix/files/path_rules.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace menue {

namespace {

constexpr std::size_t SmallestCommandLine = 4096;
// Linux takes no single argument string longer than 128 KiB (sh -c gets one).
constexpr std::size_t LargestCommandLine = 128 * 1024 - 1;

}  // namespace

std::string launchScriptNameOf(pid_t run) {
  return "menue-" + std::to_string(run) + ".cmd";
}

std::string privateFallbackScriptPath(uid_t user, const std::string& name) {
  return "/tmp/menue-" + std::to_string(user) + "/" + name;
}

PathRules posixPathRules(const char* runtimeDirectory, uid_t user, long argMax, pid_t run) {
  PathRules rules;
  rules.launchScriptName = launchScriptNameOf(run);
  rules.separator = '/';
  rules.separatorsAtEnd = "/\\";
  rules.systemEditor = "/usr/bin/sensible-editor";
  rules.fallbackEditor = "vi";
  rules.namesIgnoreCase = false;
  rules.environmentIgnoresCase = false;
  rules.shellForShellSyntax = true;
  if (runtimeDirectory != nullptr && runtimeDirectory[0] != '\0') {
    std::string path = runtimeDirectory;
    if (path.back() != '/') path += '/';
    rules.fallbackLaunchScriptPath = path + rules.launchScriptName;
  } else {
    rules.fallbackLaunchScriptPath = privateFallbackScriptPath(user, rules.launchScriptName);
  }
  rules.backslashToSlash = true;
  // The arguments share ARG_MAX with the environment; a quarter leaves room.
  std::size_t limit = argMax > 0 ? static_cast<std::size_t>(argMax) / 4 : SmallestCommandLine;
  if (limit < SmallestCommandLine) limit = SmallestCommandLine;
  if (limit > LargestCommandLine) limit = LargestCommandLine;
  rules.commandLineLimit = limit;
  // /bin/sh reads the script as the system's bytes; the MenuFile bytes that
  // reached it unconverted were shown, and typed, as code page 850.
  rules.scriptInConsoleCodePage = false;
  rules.plainCommandBytes = CodePage850;
  rules.createdMenusInUtf8 = true;
  return rules;
}

PathRules currentPosixPathRules() {
  return posixPathRules(std::getenv("XDG_RUNTIME_DIR"), geteuid(), sysconf(_SC_ARG_MAX), getpid());
}

}  // namespace menue
