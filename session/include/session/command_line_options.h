// The program's command line read by the usual conventions: what it asks
// for, before anything is touched.
#pragma once

#include <string>
#include <vector>

namespace menue {

enum class CommandAction { RunMenu, Help, Version, Check, Error };

struct CommandLine {
  CommandAction action = CommandAction::RunMenu;
  // -r: --check descends into subdirectories.
  bool recursive = false;
  // RunMenu: the start directory (none or one); Check: the paths to check.
  std::vector<std::string> paths;
  // Error: what is wrong (Windows-1252) and the argument it is about.
  std::string error;
  std::string errorSubject;
  bool operator==(const CommandLine&) const = default;
};

// `arguments` without the program's name. "--help" ("-h") and "--version"
// win over everything but an error; single-letter options may be grouped
// ("-rh"); "--" ends the options.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

}  // namespace menue
