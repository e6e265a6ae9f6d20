// The program's command line read by the usual conventions: what it asks
// for, before anything is touched.
#pragma once

#include <string>
#include <vector>

namespace menue {

enum class CommandAction {
  RunMenu,
  Help,
  Version,
  Check,
  List,
  Items,  // the items for shell completion: NUMBER TAB display text
  Run,
  Edit,
  History,
  Undo,
  Allow,
  Deny,
  Error
};

struct CommandLine {
  CommandAction action = CommandAction::RunMenu;
  // -r: --check descends into subdirectories.
  bool recursive = false;
  // --all: List shows the numbered menus too.
  bool all = false;
  // Run: the item's number; Undo: the version (0: the last change).
  int number = 0;
  // RunMenu: the start directory (none or one); Check: the paths to check;
  // the other modes: their one PATH or DIR, if given.
  std::vector<std::string> paths;
  // Error: what is wrong (Windows-1252) and the argument it is about.
  std::string error;
  std::string errorSubject;
  bool operator==(const CommandLine&) const = default;
};

// `arguments` without the program's name. "--help" ("-h") and "--version"
// win over everything but an error; single-letter options may be grouped
// ("-rh"); "--" ends the options. "--run" takes the item's number as its
// next argument; with "--undo", "--version" takes a version number.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

}  // namespace menue
