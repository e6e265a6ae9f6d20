// What running an item of a MenuModel means, decided once for the menu and
// the command line alike: a directory change, nothing, one command line
// started directly or LaunchScript text, and the ItemStatus it runs with.
#pragma once

#include <string>
#include <vector>

#include "menufile/menu_model.h"
#include "platform/platform.h"
#include "session/directory_command.h"

namespace menue {

struct ItemCommand {
  enum class Kind {
    Cut,          // its ExecutionPart runs past the text read: not run
    Directory,    // a directory or drive change the program makes itself
    Placeholder,  // an item created without commands: runs nothing
    Direct,       // one command line, started as a process or by the shell
    Script,       // through the LaunchScript
  };
  Kind kind = Kind::Placeholder;
  // The ItemStatus digit (1 waits, 2 runs beside, 3 ends the menu); any
  // other value writes the LaunchScript and runs nothing.
  int status = 0;
  // Direct: the command line in the system form, and whether the shell
  // reads it (runsThroughShell) rather than it being started as a program.
  std::string commandLine;
  bool throughShell = false;
  // Script: the LaunchScript's body as its interpreter reads it, or the
  // first character it could not read (0 for none): then nothing runs.
  std::string scriptBody;
  char32_t unscriptable = 0;
  DirectoryCommand directory;
  // Every command line of the item in the system form, for showing them.
  std::vector<std::string> lines;
};

// Item n (1 to model.items()) of the model.
ItemCommand itemCommandOf(const MenuModel& model, int n, const PathRules& rules);

// Whether an item's only command line is a directory change the program
// carries out itself: "cd!" and home, "cd DIR", a bare drive change ("X:";
// with more after it, it is a program to start).
bool isItemDirectoryCommand(const DirectoryCommand& command);

// Whether the status is one the menu runs (1 to 3).
bool runnableStatus(int status);

}  // namespace menue
