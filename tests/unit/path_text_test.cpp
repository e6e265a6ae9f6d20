// Names made visible: every byte that could act on a terminal in the
// escaped form `ls -b` writes, and text of other names left as it is.
#include "session/path_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace menue {
namespace {

struct VisibleCase {
  std::string name;
  std::string shown;
};

PathRules posixRules() {
  PathRules rules;
  rules.separator = '/';
  rules.separatorsAtEnd = "/\\";
  return rules;
}

TEST(PathTextTest, ControlBytesAreEscaped) {
  const std::vector<VisibleCase> cases = {
      {"-menue-", "-menue-"},
      {"a b/-menue-", "a b/-menue-"},
      // The terminal's title and its reset.
      {"\x1B]0;text\a", "\\033]0;text\\a"},
      {"\x1B"
       "c",
       "\\033c"},
      {std::string("\0\x01\b\t\n\v\f\r\x1F\x7F", 10), "\\000\\001\\b\\t\\n\\v\\f\\r\\037\\177"},
      // C1 as single bytes (CSI 0x9B), and as UTF-8 (U+009B, U+0085).
      {"x\x9B"
       "2J",
       "x\\2332J"},
      {"x\xC2\x9B"
       "2J\xC2\x85",
       "x\\302\\2332J\\302\\205"},
      // Letters: UTF-8 (whose second bytes may lie in 0x80-0x9F), Latin-1.
      {"M\xC3\xBC"
       "ll \xE2\x82\xAC \xC2\xA0",
       "M\xC3\xBC"
       "ll \xE2\x82\xAC \xC2\xA0"},
      {"M\xFCll", "M\xFCll"},
      // A lead byte without its continuation stays; the C1 byte after it not.
      {"\xE2\x82", "\xE2\\202"},
      {"a\\033b", "a\\\\033b"},
  };
  for (const VisibleCase& c : cases) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(visiblePath(c.name, posixRules()), c.shown);
  }
}

// Where the backslash separates, it stays single; the names there hold no
// backslash.
TEST(PathTextTest, BackslashSeparatorsStay) {
  EXPECT_EQ(visiblePath("C:\\A\\\xC2\x9B", PathRules{}), "C:\\A\\\\302\\233");
}

}  // namespace
}  // namespace menue
