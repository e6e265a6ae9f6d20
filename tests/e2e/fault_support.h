// What the fault tests share: the temporary files a MenuFile rewrite makes
// beside the MenuFile.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace menue::e2e {

// Hidden files of a directory that carry "-menue-" in their names.
inline std::set<std::string> temporariesIn(const std::filesystem::path& directory) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    if (name[0] == '.' && name.find("-menue-") != std::string::npos) names.insert(name);
  }
  return names;
}

}  // namespace menue::e2e
