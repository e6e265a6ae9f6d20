// The one escaper of the program's output: each style against each kind of
// control character, and the characters and stray bytes that must pass.
#include "session/terminal_escape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace menue {
namespace {

struct EscapeCase {
  const char* what;
  std::string bytes;
  std::string text;  // EscapeStyle::Text
  std::string path;  // EscapeStyle::Path
  // EscapeStyle::SeparatedPath where it differs from Path.
  std::string separated = {};
};

TEST(TerminalEscapeTest, EveryStyleEscapesTheSameCharacters) {
  const std::vector<EscapeCase> cases = {
      {"C0", std::string("a\0\x1B[2J\t\n", 8), "a\\x00\\x1B[2J\\x09\\x0A", "a\\000\\033[2J\\t\\n"},
      {"DEL", "\x7F", "\\x7F", "\\177"},
      {"C1 in UTF-8", "\xC2\x80 \xC2\x9B", "\\x80 \\x9B", "\\302\\200 \\302\\233"},
      {"lone CSI byte",
       "x\x9B"
       "2J",
       "x\\x9B2J", "x\\2332J"},
      {"lone C1 bytes", "\x80\x9F", "\\x80\\x9F", "\\200\\237"},
      // Letters whose UTF-8 continuation bytes lie in 0x80-0x9F stay whole.
      {"valid UTF-8", "M\xC3\xBC \xE2\x82\xAC \xC2\xA0 \xE4\xB8\x80",
       "M\xC3\xBC \xE2\x82\xAC \xC2\xA0 \xE4\xB8\x80",
       "M\xC3\xBC \xE2\x82\xAC \xC2\xA0 \xE4\xB8\x80"},
      // A lead byte cut short and Latin-1 letters pass; a C1 byte after a
      // cut lead is still one.
      {"invalid bytes", "\xE2\x82 \xFC\xA0", "\xE2\\x82 \xFC\xA0", "\xE2\\202 \xFC\xA0"},
      {"backslash", "a\\b", "a\\b", "a\\\\b", "a\\b"},
  };
  for (const EscapeCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(escapeControls(c.bytes, EscapeStyle::Text), c.text);
    EXPECT_EQ(escapeControls(c.bytes, EscapeStyle::Path), c.path);
    EXPECT_EQ(escapeControls(c.bytes, EscapeStyle::SeparatedPath),
              c.separated.empty() ? c.path : c.separated);
  }
}

}  // namespace
}  // namespace menue
