// Start-up: the values fixed for the whole run (the StartDirectory and the
// LaunchScriptPath from the environment) and the initial program state.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "session/next.h"

namespace menue {

struct Program;

// The LaunchScript's path from the first TMP or TEMP entry of the
// environment, or the platform's fallback.
std::string launchScriptPathFor(const std::vector<std::string>& environment,
                                const PathRules& rules);

// Sets up the program state; draws nothing. Continue unless reading the
// start directory failed.
Next startUp(Program& program);

}  // namespace menue
