// The display columns of characters and texts, from the generated table of
// the characters that do not take one column.
#include "platform/text_width.h"

#include <algorithm>
#include <iterator>

#include "platform/utf8.h"

namespace menue {

namespace {

struct WidthRange {
  char32_t first;
  char32_t last;
  unsigned char columns;
};

constexpr WidthRange WidthRanges[] = {
#include "unicode_width_table.inc"
};

static_assert(std::is_sorted(std::begin(WidthRanges), std::end(WidthRanges),
                             [](const WidthRange& a, const WidthRange& b) {
                               return a.last < b.first;
                             }),
              "the width ranges must be sorted and apart");

// The character at `at` and the bytes it takes; a byte that starts no
// character is one replacement of one column.
struct Step {
  std::size_t length;
  int columns;
};

Step stepAt(std::string_view utf8, std::size_t at) {
  const Utf8Character read = readUtf8(utf8, at);
  if (!read.valid) return {1, 1};
  return {read.length, characterColumns(read.character)};
}

}  // namespace

int characterColumns(char32_t c) {
  // Below the first combining mark everything takes one column.
  if (c < WidthRanges[0].first) return 1;
  const auto* range =
      std::upper_bound(std::begin(WidthRanges), std::end(WidthRanges), c,
                       [](char32_t value, const WidthRange& r) { return value < r.first; });
  if (range == std::begin(WidthRanges)) return 1;
  --range;
  return c <= range->last ? range->columns : 1;
}

int textColumns(std::string_view utf8) {
  int columns = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    if (lead < 0x80) {  // ASCII, the common case, without the table
      ++columns;
      ++at;
      continue;
    }
    const Step step = stepAt(utf8, at);
    columns += step.columns;
    at += step.length;
  }
  return columns;
}

std::size_t prefixWithinColumns(std::string_view utf8, int columns) {
  int used = 0;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const Step step = stepAt(utf8, at);
    if (used + step.columns > columns) break;
    used += step.columns;
    at += step.length;
  }
  return at;
}

}  // namespace menue
