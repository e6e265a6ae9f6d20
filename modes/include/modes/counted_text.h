// A count with its noun in the singular or the plural, as every report of
// the command line's modes says how many of something there are.
#pragma once

#include <string>
#include <string_view>

namespace menue {

// "1 Warnung", "2 Warnungen": the count, a blank and `one` or `many`.
std::string countedText(int count, std::string_view one, std::string_view many);

// "1 Menüpunkt", "5 Menüpunkte" (Windows-1252).
std::string itemCountText(int count);

}  // namespace menue
