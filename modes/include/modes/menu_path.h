// The MenuFile a command-line mode works on: a directory's (the one its
// menu shows) or one named by its path. The mode runs in its directory.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace menue {

struct MenuPath {
  // The MenuFiles meant, by their names in the current directory: a
  // directory's shown one first, then (asked for) its other MenuFiles.
  std::vector<std::string> names;
  // How messages name the directory ("" for the current one).
  std::string shownDirectory;
  bool isDirectory = false;
};

// Enters the directory of `path` (empty: the current directory) and names
// its MenuFile: "-menue-", or where that is missing the numbered one the
// menu would take in its place (nothing is renamed), or "-menue-" when
// there is none. `all`: every MenuFile of the directory. A path that is no
// directory is a MenuFile of its own. The code of a directory that cannot
// be entered.
PlatformCode enterMenuPath(FileSystem& files, const PathRules& rules, const std::string& path,
                           bool all, MenuPath& found);

// One MenuFile of a mode that works on one (--edit, --history, --undo):
// its name in the current directory, how messages name it, and its full
// path, by which the history knows it.
struct MenuFileTarget {
  std::string name;
  std::string shown;  // made visible (visiblePath)
  std::string fullPath;
};
// enterMenuPath for one MenuFile; on failure the path to name with the
// code (`shown`).
PlatformCode enterMenuFile(FileSystem& files, const PathRules& rules, const std::string& path,
                           MenuFileTarget& target);

// How messages name a MenuFile of it, made visible (visiblePath).
std::string shownMenuFile(const MenuPath& path, const std::string& name, const PathRules& rules);

}  // namespace menue
