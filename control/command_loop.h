// The command loop: one pass loads and draws the menu, writes the prompt,
// waits for one event and acts on it; and the command table for typed lines.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace menue {

struct Program;

// Upper-cases a-z and the OEM letters ä ö ü é ñ å ç.
std::string upperOem(const std::string& line);
// Lower-cases A-Z only, as the directory commands compare.
std::string lowerAscii(std::string text);

// The LaunchScript's path from the first TMP or TEMP entry of the
// environment, or the platform's fallback.
std::string launchScriptPathFor(const std::vector<std::string>& environment,
                                const PathRules& rules);

// Start-up, then the loop; returns only when the program ends.
void runProgram(Program& program);
void startUp(Program& program);
[[noreturn]] void runCommandLoop(Program& program);
void dispatchLine(Program& program);

}  // namespace menue
