// Editing typed UTF-8 text: Backspace takes one whole character, and a
// length limit never cuts one.
#include <gtest/gtest.h>

#include <string>

#include "platform/utf8.h"

namespace menue {
namespace {

TEST(Utf8Edit, BackspaceTakesOneWholeCharacter) {
  struct Case {
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"ab", "a"},
      {"a\xC3\xBC", "a"},          // ü, two bytes
      {"a\xE2\x82\xAC", "a"},      // €, three
      {"a\xF0\x9F\x98\x80", "a"},  // an emoji, four
      {"a\x80\x80", "a\x80"},      // stray continuation bytes go one by one
      {"a\xC3", "a"},              // a lead byte alone
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string text = c.before;
    dropLastUtf8Character(text);
    EXPECT_EQ(text, c.after) << c.before;
  }
}

TEST(Utf8Edit, ALimitNeverCutsACharacter) {
  const std::string text =
      "a\xE2\x82\xAC"
      "b";  // a € b: bytes 0, 1-3, 4
  EXPECT_EQ(utf8CutWithin(text, 0), 0U);
  EXPECT_EQ(utf8CutWithin(text, 1), 1U);
  EXPECT_EQ(utf8CutWithin(text, 2), 1U);
  EXPECT_EQ(utf8CutWithin(text, 3), 1U);
  EXPECT_EQ(utf8CutWithin(text, 4), 4U);
  EXPECT_EQ(utf8CutWithin(text, 99), 5U);
}

}  // namespace
}  // namespace menue
