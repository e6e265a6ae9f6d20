// The names a directory search takes: the wildcard match of a name and the
// hidden names no search or walk shows.
#pragma once

#include <string_view>

namespace menue {

// '?' stands for exactly one character, '*' for any run of them; other
// characters match themselves, byte for byte.
bool matchesPattern(std::string_view name, std::string_view pattern);
// Dot files (and "." and ".."), and the empty name.
bool hiddenName(std::string_view name);

}  // namespace menue
