// A count with its noun in the singular or the plural.
#include "modes/counted_text.h"

namespace menue {

std::string countedText(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string itemCountText(int count) {
  return countedText(count, "Men\xFCpunkt", "Men\xFCpunkte");
}

}  // namespace menue
