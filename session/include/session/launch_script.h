// The LaunchScript ("@Echo off" and a body, written anew for every use) and
// the start of a process.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"
#include "session/next.h"

namespace menue {

struct Program;

// Deletes an existing LaunchScript at `path` and creates it anew with
// "@Echo off" CR LF + body; the code of the first failure.
PlatformCode writeLaunchScriptFile(FileSystem& files, const std::string& path,
                                   std::string_view body);
// Deletes an existing LaunchScript and writes "@Echo off" CR LF + body anew;
// a failure goes to the GeneralErrorHandler.
Next writeLaunchScript(Program& program, std::string_view body);
// Starts a command line, as a program or through the shell; false when it
// could not be started (the caller's handler reports 51).
bool startProcess(Program& program, const std::string& commandLine, bool throughShell, bool wait);
// Runs the LaunchScript just written; false when it could not be started.
bool runLaunchScript(Program& program, bool wait);

}  // namespace menue
