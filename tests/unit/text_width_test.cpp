// The display columns: fixed cases of characters, texts and prefixes, and the
// generated table against the Unicode data it came from, read here anew.
#include <gtest/gtest.h>

#include <cstdio>
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

// The Unicode data as the width rules read it, parsed independently of the
// generator: every code point's expected columns, or nothing when the data
// is not installed.
class UnicodeData {
 public:
  static constexpr char32_t End = 0x110000;

  bool load(const std::string& dir) {
    if (!readCategories(dir + "/UnicodeData.txt")) return false;
    expected_.assign(End, 1);
    for (char32_t c = 0; c < End; ++c) {
      const std::string& category = category_[c];
      if (category == "Mn" || category == "Me" || (category == "Cf" && c != 0x00AD)) {
        expected_[c] = 0;
      }
    }
    bool ok = true;
    ok &= readProperty(dir + "/PropList.txt", [&](char32_t c, const std::string& value) {
      if (value == "Prepended_Concatenation_Mark") expected_[c] = 1;
    });
    ok &= readProperty(dir + "/HangulSyllableType.txt", [&](char32_t c, const std::string& value) {
      if (value == "V" || value == "T") expected_[c] = 0;
    });
    ok &= readProperty(dir + "/EastAsianWidth.txt", [&](char32_t c, const std::string& value) {
      if ((value == "W" || value == "F") && !category_[c].empty() && expected_[c] != 0) {
        expected_[c] = 2;
      }
    });
    return ok;
  }
  int expected(char32_t c) const { return expected_[c]; }
  bool assigned(char32_t c) const { return !category_[c].empty(); }

 private:
  bool readCategories(const std::string& path) {
    std::ifstream in(path);
    if (!in) return false;
    category_.assign(End, std::string());
    std::string line;
    char32_t rangeFirst = 0;
    while (std::getline(in, line)) {
      std::vector<std::string> fields;
      std::stringstream split(line);
      for (std::string field; std::getline(split, field, ';');) fields.push_back(field);
      if (fields.size() < 3) continue;
      const auto c = static_cast<char32_t>(std::stoul(fields[0], nullptr, 16));
      if (fields[1].find(", First>") != std::string::npos) {
        rangeFirst = c;
        continue;
      }
      const char32_t first = fields[1].find(", Last>") != std::string::npos ? rangeFirst : c;
      for (char32_t each = first; each <= c; ++each) category_[each] = fields[2];
    }
    return true;
  }

  // Lines "XXXX[..YYYY] ; Value # comment".
  template <typename Each>
  static bool readProperty(const std::string& path, Each each) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
      line = line.substr(0, line.find('#'));
      const std::size_t semicolon = line.find(';');
      if (semicolon == std::string::npos) continue;
      std::string value;
      std::stringstream(line.substr(semicolon + 1)) >> value;
      const std::string span = line.substr(0, semicolon);
      const auto first = static_cast<char32_t>(std::stoul(span, nullptr, 16));
      const std::size_t dots = span.find("..");
      const auto last = dots == std::string::npos
                            ? first
                            : static_cast<char32_t>(std::stoul(span.substr(dots + 2), nullptr, 16));
      for (char32_t c = first; c <= last; ++c) each(c, value);
    }
    return true;
  }

  std::vector<std::string> category_;
  std::vector<signed char> expected_;
};

// Every code point, not a sample: it is cheap, and a range boundary the
// generator got wrong by one shows up as exactly that code point.
TEST(TextWidth, TableAgreesWithTheUnicodeData) {
  UnicodeData data;
  if (!data.load("/usr/share/unicode")) GTEST_SKIP() << "no Unicode data in /usr/share/unicode";
  int counts[3] = {};
  int unassigned = 0;
  int wrong = 0;
  for (char32_t c = 0; c < UnicodeData::End; ++c) {
    const int expected = data.expected(c);
    ++counts[expected];
    if (!data.assigned(c)) ++unassigned;
    if (characterColumns(c) != expected && ++wrong <= 20) {
      ADD_FAILURE() << std::hex << "U+" << unsigned(c) << ": " << characterColumns(c)
                    << " columns, the data says " << expected;
    }
  }
  EXPECT_EQ(wrong, 0);
  // The data was read at all: each family is well represented.
  EXPECT_GT(counts[0], 1000);
  EXPECT_GT(counts[2], 90000);
  EXPECT_GT(unassigned, 500000);
}

}  // namespace
}  // namespace menue
