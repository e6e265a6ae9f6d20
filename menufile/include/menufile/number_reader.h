// The one number reader of the edit commands and their questions.
#pragma once

#include <string_view>

namespace menue {

// A decimal digit, whatever the locale.
inline bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number a text begins with: blanks, TABs and line feeds skipped, an
// optional sign directly followed by a digit or a point, digits with at most
// one decimal point; 0 when the text does not begin with a number.
double readNumber(std::string_view text);
// Rounds to the nearest whole number, a half to the even neighbour.
long roundHalfEven(double value);
// readNumber then roundHalfEven.
long readWholeNumber(std::string_view text);

}  // namespace menue
