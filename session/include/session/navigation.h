// Directory navigation (home, cd, drive changes) with the menu following
// the directory, the pass-through of any other line to the command
// interpreter, and the wait after a command.
#pragma once

#include <string>

#include "session/next.h"

namespace menue {

struct Program;

// The current directory as the platform reports it (system form).
Next currentDirectory(Program& program, std::string& path);
// Whether the current directory is the StartDirectory, in system form.
Next atStartDirectory(Program& program, bool& atStart);

// The directory changes alone, as items carry them out: back to StartDrive
// and StartPath; a change to a path in system form (path not found for '*'
// and '?'); a drive made current at the directory the system keeps for it.
Next changeToStart(Program& program);
Next changeDirectoryTo(Program& program, const std::string& path);
Next changeDriveTo(Program& program, char letter);

// The prompt's commands, each with the line or path as typed (console
// text): the change, then the menu of the new directory.
Next goHome(Program& program);
Next changeDirectory(Program& program, const std::string& path);
Next changeDrive(Program& program, char letter, const std::string& path);
Next passThrough(Program& program, const std::string& line);
// Waits for a key or click, clears the screen; the command is Done.
Next afterCommandWait(Program& program);

}  // namespace menue
