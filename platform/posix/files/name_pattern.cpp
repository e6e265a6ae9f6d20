// The wildcard match of the directory searches and the names they hide.
#include "platform/posix/files/name_pattern.h"

#include <cstddef>

namespace menue {

bool matchesPattern(std::string_view name, std::string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starAt = std::string_view::npos;
  std::size_t starMatched = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      starMatched = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++starMatched;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool hiddenName(std::string_view name) {
  return name.empty() || name[0] == '.';
}

}  // namespace menue
