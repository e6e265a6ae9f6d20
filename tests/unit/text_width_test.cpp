// The display columns: fixed cases of characters, texts and prefixes, and the
// generated table against the Unicode data it came from, read here anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text_width.h"

namespace menue {
namespace {

struct CharacterCase {
  char32_t c;
  int columns;
};

TEST(TextWidth, CharactersTakeTheirColumns) {
  constexpr CharacterCase Cases[] = {
      {U'A', 1},     {0x00E9, 1},
      {0x20AC, 1},   {0x0141, 1},  // A é € Ł
      {0x65E5, 2},   {0xFF21, 2},
      {0x1F600, 2},  {0x3000, 2},  // 日, fullwidth A, emoji, ideographic space
      {0x0301, 0},   {0x20DD, 0},
      {0x200B, 0},   {0xFEFF, 0},  // combining acute, enclosing circle, ZWSP, BOM
      {0x1160, 0},   {0x11A8, 0},  // conjoining Hangul vowel and final
      {0x00AD, 1},   {0x0600, 1},  // soft hyphen, Arabic number sign
      {0x0007, 1},   {0x007F, 1},
      {0x0085, 1},   {0x0000, 1},  // controls show as one replacement
      {0x0378, 1},   {0x2A6E0, 1},
      {0xD800, 1},   {0x10FFFF, 1},  // unassigned, reserved CJK, surrogate
      {0x302A, 0},   {0x3099, 0},    // marks inside wide blocks
      {0x110000, 1},
  };
  for (const CharacterCase& test : Cases) {
    EXPECT_EQ(characterColumns(test.c), test.columns) << std::hex << "U+" << unsigned(test.c);
  }
}

struct TextCase {
  const char* text;
  int columns;
};

TEST(TextWidth, TextsSumTheirCharacters) {
  constexpr TextCase Cases[] = {
      {"", 0},
      {"Preis in \xE2\x82\xAC", 10},  // € is one
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       4},                                          // Łódź
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 6},  // 日本語
      {"e\xCC\x81", 1},                             // e + combining acute
      {"a\xE2\x80\x8B"
       "b",
       2},                  // zero width space
      {"\xFF", 1},          // a byte that starts nothing
      {"\xE6\x97", 2},      // a cut wide character: two stray bytes
      {"\xC3\xA4\xFC", 2},  // ä, then a Windows-1252 ü
      {"\xED\xA0\x80", 3},  // a coded surrogate is three stray bytes
      {"\t\x1B", 2},        // controls show as replacements
  };
  for (const TextCase& test : Cases) EXPECT_EQ(textColumns(test.text), test.columns) << test.text;
}

struct PrefixCase {
  const char* text;
  int columns;
  std::size_t bytes;
};

TEST(TextWidth, PrefixesNeverSplitACharacter) {
  constexpr PrefixCase Cases[] = {
      {"abc", 10, 3},
      {"abc", 2, 2},
      {"abc", 0, 0},
      {"abc", -1, 0},
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 5, 6},  // a wide character never straddles
      {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 6, 9},
      {"ab\xE6\x97\xA5", 3, 2},
      {"e\xCC\x81x", 1, 3},             // the mark stays with its base
      {"\xE6\x97\xA5\xCC\x81x", 1, 0},  // nor does a left-out character's mark come
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       2, 4},  // two-byte characters whole
      {"a\xFF"
       "b",
       2, 2},  // a stray byte is one column
      {"\xE2\x82\xAC", 1, 3},
  };
  for (const PrefixCase& test : Cases) {
    EXPECT_EQ(prefixWithinColumns(test.text, test.columns), test.bytes)
        << test.text << " in " << test.columns;
  }
}

// Each line "XXXX[..YYYY] ; field ; ..." of a Unicode data file as its
// code points and its fields, trimmed, comments cut; false when the file is
// missing.
template <typename Each>
bool forEachEntry(const std::string& path, Each each) {
  std::ifstream in(path);
  if (!in) return false;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::stringstream split(line.substr(0, line.find('#')));
    for (std::string field; std::getline(split, field, ';');) {
      const std::size_t begin = field.find_first_not_of(' ');
      fields.push_back(begin == std::string::npos
                           ? std::string()
                           : field.substr(begin, field.find_last_not_of(' ') + 1 - begin));
    }
    if (fields.size() < 2) continue;
    const std::size_t dots = fields[0].find("..");
    const auto first = static_cast<char32_t>(std::stoul(fields[0], nullptr, 16));
    const auto last =
        dots == std::string::npos
            ? first
            : static_cast<char32_t>(std::stoul(fields[0].substr(dots + 2), nullptr, 16));
    each(first, last, fields);
  }
  return true;
}

// Every code point, not a sample: it is cheap, and a range boundary the
// generator got wrong by one shows up as exactly that code point. The data
// is parsed here on its own, by the rules text_width.h states.
TEST(TextWidth, TableAgreesWithTheUnicodeData) {
  const std::string dir = "/usr/share/unicode/";
  constexpr char32_t End = 0x110000;
  std::vector<std::string> category(End);
  std::vector<int> expected(End, 1);
  char32_t rangeFirst = 0;
  using Fields = const std::vector<std::string>&;
  const auto ends = [](const std::string& name, const std::string& end) {
    return name.size() >= end.size() &&
           name.compare(name.size() - end.size(), end.size(), end) == 0;
  };
  const bool found = forEachEntry(dir + "UnicodeData.txt", [&](char32_t c, char32_t, Fields f) {
    if (ends(f[1], ", First>")) rangeFirst = c;
    for (char32_t each = ends(f[1], ", Last>") ? rangeFirst : c; each <= c; ++each) {
      category[each] = f[2];
      const bool zero = f[2] == "Mn" || f[2] == "Me" || (f[2] == "Cf" && each != 0x00AD);
      expected[each] = zero ? 0 : 1;
    }
  });
  if (!found) GTEST_SKIP() << "no Unicode data in " << dir;
  const auto each = [](char32_t first, char32_t last, auto set) {
    for (char32_t c = first; c <= last; ++c) set(c);
  };
  ASSERT_TRUE(forEachEntry(dir + "PropList.txt", [&](char32_t a, char32_t b, Fields f) {
    if (f[1] == "Prepended_Concatenation_Mark") each(a, b, [&](char32_t c) { expected[c] = 1; });
  }));
  ASSERT_TRUE(forEachEntry(dir + "HangulSyllableType.txt", [&](char32_t a, char32_t b, Fields f) {
    if (f[1] == "V" || f[1] == "T") each(a, b, [&](char32_t c) { expected[c] = 0; });
  }));
  ASSERT_TRUE(forEachEntry(dir + "EastAsianWidth.txt", [&](char32_t a, char32_t b, Fields f) {
    if (f[1] != "W" && f[1] != "F") return;
    each(a, b, [&](char32_t c) {
      if (!category[c].empty() && expected[c] != 0) expected[c] = 2;
    });
  }));

  int counts[3] = {};
  int wrong = 0;
  for (char32_t c = 0; c < End; ++c) {
    ++counts[expected[c]];
    if (characterColumns(c) != expected[c] && ++wrong <= 20) {
      ADD_FAILURE() << std::hex << "U+" << unsigned(c) << ": " << characterColumns(c)
                    << " columns, the data says " << expected[c];
    }
  }
  EXPECT_EQ(wrong, 0);
  // The data was read at all: each family is well represented.
  EXPECT_GT(counts[0], 1000);
  EXPECT_GT(counts[2], 90000);
  EXPECT_GT(std::count(category.begin(), category.end(), std::string()), 500000);
}

}  // namespace
}  // namespace menue
