// Finding the MenuFile of a command-line mode's path: a directory is
// entered and its MenuSet asked, anything else is split into its directory
// and name.
#include "modes/menu_path.h"

#include "menufile/menu_set.h"
#include "session/path_text.h"

namespace menue {

PlatformCode enterMenuPath(FileSystem& files, const PathRules& rules, const std::string& path,
                           bool all, MenuPath& found) {
  found = MenuPath{};
  if (path.empty() || files.changeDirectory(path) == code::Success) {
    found.isDirectory = true;
    found.shownDirectory = path;
    const bool first = files.isPlainFile(std::string(FirstMenuName));
    const std::vector<std::string> numbered =
        files.findPlainFiles(std::string(NumberedMenuPattern));
    found.names.push_back(menuFileShown(first, numbered));
    for (const std::string& name : numbered) {
      if (all && name != found.names.front()) found.names.push_back(name);
    }
    return code::Success;
  }
  const std::size_t cut = path.find_last_of(std::string("/") + rules.separator);
  if (cut != std::string::npos) {
    const std::string directory = path.substr(0, cut == 0 ? 1 : cut);
    if (const PlatformCode failure = files.changeDirectory(directory); failure != code::Success) {
      return failure;
    }
    found.shownDirectory = directory;
  }
  found.names.push_back(cut == std::string::npos ? path : path.substr(cut + 1));
  return code::Success;
}

std::string shownMenuFile(const MenuPath& path, const std::string& name, const PathRules& rules) {
  return visiblePath(
      path.shownDirectory.empty() ? name : joinPath(path.shownDirectory, name, rules), rules);
}

PlatformCode enterMenuFile(FileSystem& files, const PathRules& rules, const std::string& path,
                           MenuFileTarget& target) {
  MenuPath menuPath;
  target = MenuFileTarget{};
  target.shown = visiblePath(path, rules);
  if (const PlatformCode failure = enterMenuPath(files, rules, path, false, menuPath);
      failure != code::Success) {
    return failure;
  }
  target.name = menuPath.names.front();
  target.shown = shownMenuFile(menuPath, target.name, rules);
  std::string directory;
  if (const PlatformCode failure = files.currentDirectory(directory); failure != code::Success) {
    return failure;
  }
  target.fullPath = joinPath(directory, target.name, rules);
  return code::Success;
}

}  // namespace menue
