// Fuzz target for the number reader: no crash, a finite value, a whole
// number within bounds, and blanks in front changing nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "menufile/number_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = menue::readNumber(text);
  if (!std::isfinite(value)) std::abort();
  const long whole = menue::readWholeNumber(text);
  if (whole != menue::roundHalfEven(value)) std::abort();
  if (std::abs(whole) > 1000000000L) std::abort();
  if (std::abs(static_cast<double>(whole) - value) > 0.5 && std::abs(value) < 1e9) std::abort();
  if (menue::readNumber(" \t\n" + text) != value) std::abort();
  return 0;
}
