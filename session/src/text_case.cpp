// The letter-case and blank rules by which typed lines are recognised, by
// the platform's letter rules.
#include "session/text_case.h"

#include <algorithm>

#include "platform/letters.h"

namespace menue {

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), asciiLower);
  return text;
}

std::string upperOem(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), oemUpper);
  return text;
}

std::string trimBlanks(const std::string& line) {
  const auto first = line.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

}  // namespace menue
