// What the path rules of every backend share: which paths start at a root.
#include "platform/platform.h"

namespace menue {

bool PathRules::isAbsolute(std::string_view path) const {
  if (path.empty()) return false;
  if (separator != '\\') return path[0] == '/';
  if (path[0] == '\\' || path[0] == '/') return true;
  return path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

}  // namespace menue
