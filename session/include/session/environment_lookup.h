// The one lookup of an environment entry by its name.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace menue {

// The value of the first entry, in the environment's order, whose name is
// one of `names`; names compared ignoring the case of ASCII letters where
// `ignoreCase` (PathRules::environmentIgnoresCase: Windows). The walk ends
// at an empty entry, as a Windows environment block does; an entry that
// begins with '=' (Windows' hidden "=C:=C:\") names none.
std::optional<std::string> environmentValue(const std::vector<std::string>& entries,
                                            std::initializer_list<std::string_view> names,
                                            bool ignoreCase);

}  // namespace menue
