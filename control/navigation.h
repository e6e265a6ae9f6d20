// Directory navigation and the pass-through of other input lines to the
// command interpreter.
#pragma once

#include <string>

namespace menue {

struct Program;

// Whether the current directory is the StartDirectory, byte for byte.
bool atStartDirectory(Program& program);
std::string currentDirectory(Program& program);

// Back to StartDrive and StartPath (the directory change itself only).
void changeToStart(Program& program);
// A directory change as typed; fails as path not found for '*' and '?'.
void changeDirectoryTo(Program& program, const std::string& path);
// Makes a drive current (at the directory the system keeps for it).
void changeDriveTo(Program& program, char letter);

void goHome(Program& program);
void changeDirectory(Program& program, const std::string& line);
void changeDrive(Program& program, const std::string& line);
void passThrough(Program& program, const std::string& line);
[[noreturn]] void afterCommandWait(Program& program);

}  // namespace menue
