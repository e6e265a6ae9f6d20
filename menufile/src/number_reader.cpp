// The one number reader of the edit commands and their questions: the number
// a text begins with, taken to the nearest whole number, halves to even.
#include "menufile/number_reader.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace menue {

namespace {

// Far beyond any item number, and within a 32-bit long (Windows).
constexpr double Largest = 1e9;

}  // namespace

double readNumber(std::string_view text) {
  std::size_t i = text.find_first_not_of(" \t\n");
  if (i == std::string_view::npos) return 0;
  double sign = 1;
  if (text[i] == '+' || text[i] == '-') {
    sign = text[i] == '-' ? -1 : 1;
    ++i;
  }
  // Digits with at most one decimal point; at least one digit.
  const std::size_t begin = i;
  bool point = false;
  bool digit = false;
  for (; i < text.size(); ++i) {
    if (isDigit(text[i])) {
      digit = true;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digit) return 0;
  double value = 0;
  const auto result =
      std::from_chars(text.data() + begin, text.data() + i, value, std::chars_format::fixed);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large, or a fraction too small to hold: which one, the digits say.
    const std::string_view digits = text.substr(begin, i - begin);
    const std::size_t nonZero = digits.find_first_of("123456789");
    const std::size_t pointAt = digits.find('.');
    value = nonZero != std::string_view::npos && nonZero < pointAt ? Largest : 0;
  }
  return sign * value;
}

long roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  if (value > Largest) value = Largest;
  if (value < -Largest) value = -Largest;
  const double below = std::floor(value);
  const double fraction = value - below;
  double result = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0)) result = below + 1;
  return static_cast<long>(result);
}

long readWholeNumber(std::string_view text) {
  return roundHalfEven(readNumber(text));
}

}  // namespace menue
