// The forms of a text on its way to the system: MenuFile and typed text
// under the Windows and the POSIX rules.
#include <gtest/gtest.h>

#include "session/text_forms.h"

namespace menue {
namespace {

PathRules windowsRules() {
  return PathRules{};
}

PathRules posixRules() {
  PathRules rules;
  rules.scriptInConsoleCodePage = false;
  rules.plainCommandBytes = CodePage850;
  return rules;
}

TEST(TextForms, MenuCommandLinesReachTheSystemAsLetters) {
  struct Case {
    std::string_view bytes;
    bool utf8;
    std::string_view windows;  // system form under each rule
    std::string_view posix;
  };
  const Case cases[] = {
      {"mkdir Pr\x81"
       "f1",
       false,
       "mkdir Pr\xC3\xBC"
       "f1",
       "mkdir Pr\xC3\xBC"
       "f1"},
      {"mkdir Pr\xFC"
       "f2",
       false,
       "mkdir Pr\xC3\xBC"
       "f2",
       "mkdir Pr\xC3\xBC"
       "f2"},
      // ß wins over á; š and Ž of ANSI are Ü and Ä.
      {"\xE1\x9A\x8E", false, "\xC3\x9F\xC3\x9C\xC3\x84", "\xC3\x9F\xC3\x9C\xC3\x84"},
      // Other bytes as the platform read them: é in ANSI, Ú in 850.
      {"\xE9", false, "\xC3\xA9", "\xC3\x9A"},
      {"\x82", false, "\xE2\x80\x9A", "\xC3\xA9"},
      {"echo \xCE\xA9 \xC3\xBC", true, "echo \xCE\xA9 \xC3\xBC", "echo \xCE\xA9 \xC3\xBC"},
      {"plain", false, "plain", "plain"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(menuCommandLine(c.bytes, c.utf8, windowsRules()), c.windows) << c.bytes;
    EXPECT_EQ(menuCommandLine(c.bytes, c.utf8, posixRules()), c.posix) << c.bytes;
  }
}

std::string scriptOf(std::string_view bytes, bool utf8, const PathRules& rules) {
  const ScriptText script = menuScriptText(bytes, utf8, rules);
  return script.ok ? script.text : "refused";
}

TEST(TextForms, TheScriptIsInTheFormItsInterpreterReads) {
  // cmd.exe: OEM bytes for the German letters, other bytes as they were.
  EXPECT_EQ(scriptOf("Gr\xFC\xDF"
                     "e \x81 \xE9\r\n",
                     false, windowsRules()),
            "Gr\x81\xE1"
            "e \x81 \xE9\r\n");
  // A UTF-8 file's character cmd.exe cannot read refuses the script.
  EXPECT_EQ(scriptOf("\xC3\xBC\r\n", true, windowsRules()), "\x81\r\n");
  const ScriptText omega = menuScriptText("\xC3\xBC \xCE\xA9\r\n", true, windowsRules());
  EXPECT_FALSE(omega.ok);
  EXPECT_EQ(omega.refused, U'\x3A9');
  // /bin/sh: the system form.
  EXPECT_EQ(scriptOf("Gr\xFC\xDF"
                     "e\r\n",
                     false, posixRules()),
            "Gr\xC3\xBC\xC3\x9F"
            "e\r\n");
  EXPECT_EQ(scriptOf("\xCE\xA9\r\n", true, posixRules()), "\xCE\xA9\r\n");
}

// A typed line reaches the interpreter as typed, or not at all.
TEST(TextForms, ATypedLineIsScriptedWholeOrRefused) {
  struct Case {
    std::string_view typed;
    bool windows;
    bool ok;
    std::string_view text;
    char32_t refused;
  };
  const Case cases[] = {
      {"echo \xC3\xBC\xC3\x9F", true, true, "echo \x81\xE1", 0},
      {"printf %s x\xE2\x82\xAC", true, false, "", 0x20AC},
      {"printf %s x\xE2\x82\xAC\xC5\x82\xE6\x97\xA5", false, true,
       "printf %s x\xE2\x82\xAC\xC5\x82\xE6\x97\xA5", 0},
  };
  for (const Case& c : cases) {
    const ScriptText script = typedScriptText(c.typed, c.windows ? windowsRules() : posixRules());
    EXPECT_EQ(script.ok, c.ok) << c.typed;
    EXPECT_EQ(script.text, c.text) << c.typed;
    EXPECT_EQ(script.refused, c.refused) << c.typed;
  }
  const ScriptText euro = typedScriptText("x\xE2\x82\xAC", windowsRules());
  EXPECT_NE(scriptRefusal(euro.refused).find("\"\xE2\x82\xAC\" (U+20AC)"), std::string::npos);
}

}  // namespace
}  // namespace menue
