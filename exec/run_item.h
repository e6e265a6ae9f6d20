// Running things: the LaunchScript, the process start and the menu item.
#pragma once

#include <string>
#include <string_view>

namespace menue {

struct Program;

inline constexpr std::string_view LaunchScriptName = "menue.cmd";

// Deletes an existing LaunchScript and writes "@Echo off" CR LF + body anew.
void writeLaunchScript(Program& program, std::string_view body);
// Starts a command line; a failure goes to the handler in force as 51.
// Returns whether the process was started.
bool startProcess(Program& program, const std::string& commandLine, bool wait);
// Runs item n of the menu as its ItemStatus says.
void runMenuItem(Program& program, int n);

}  // namespace menue
