// The path facts of POSIX the core reads: separators, where the LaunchScript
// goes when the environment names no temporary directory, and the longest
// command line.
#pragma once

#include <sys/types.h>

#include "platform/platform.h"

namespace menue {

// From the given facts (runtimeDirectory may be null; argMax <= 0 when unknown).
PathRules posixPathRules(const char* runtimeDirectory, uid_t user, long argMax);
// From this process's environment, user and limits.
PathRules currentPosixPathRules();
// The fallback LaunchScript in /tmp, in a directory of the user's own.
std::string privateFallbackScriptPath(uid_t user);

}  // namespace menue
