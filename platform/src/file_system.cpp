// What every backend's file system shares: the comparison with a text seen.
#include "platform/platform.h"

namespace menue {

bool FileSystem::holds(const std::string& path, std::string_view seen, bool seenWhole) {
  FileStart start;
  return readFileStart(path, seen.size(), start) == code::Success && start.whole == seenWhole &&
         start.text == seen;
}

}  // namespace menue
