// The path facts of POSIX the core reads: separators, where the LaunchScript
// goes when the environment names no temporary directory, and the longest
// command line.
#pragma once

#include <sys/types.h>

#include "platform/platform.h"

namespace menue {

// From the given facts (runtimeDirectory may be null; argMax <= 0 when
// unknown; `run` the process, whose LaunchScript has a name of its own).
PathRules posixPathRules(const char* runtimeDirectory, uid_t user, long argMax, pid_t run);
// From this process's environment, user, limits and number.
PathRules currentPosixPathRules();
// The LaunchScript's name for the run `run`: "menue-RUN.cmd", so that runs
// side by side in one temporary directory never write, start or remove
// each other's.
std::string launchScriptNameOf(pid_t run);
// The fallback LaunchScript `name` in /tmp, in a directory of the user's own.
std::string privateFallbackScriptPath(uid_t user, const std::string& name);

}  // namespace menue
