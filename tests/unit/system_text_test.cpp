// Console text (code page 850) and the system form: every byte there and
// back, the '?' for what the code page lacks, and WTF-8 with UTF-16 as the
// Windows calls take it.
#include <gtest/gtest.h>

#include "platform/system_text.h"
#include "platform/utf8.h"

namespace menue {
namespace {

TEST(SystemText, EveryConsoleByteComesBackFromItsSystemForm) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string console(1, static_cast<char>(byte));
    const std::string system = systemFormOf(console);
    EXPECT_TRUE(byte < 0x80 ? system == console : isUtf8Text(system)) << byte;
    EXPECT_EQ(consoleTextOf(system), console) << byte;
  }
}

TEST(SystemText, TheGermanLettersBecomeTheirUtf8) {
  const std::string_view letters = "\x84\x94\x81\x8E\x99\x9A\xE1";
  const std::string_view utf8 = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F";
  EXPECT_EQ(systemFormOf(letters), utf8);
  EXPECT_EQ(consoleTextOf(utf8), letters);
}

TEST(SystemText, WhatCodePage850LacksShowsAsQuestionMarks) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"\xCE\xA9mega", "?mega"},    // Ω
      {"\xC5\x81ukasz", "?ukasz"},  // Ł
      {"\xF0\x9F\x98\x80!", "?!"},  // beyond the BMP: one character
      {"M\xFCll", "M?ll"},          // a Latin-1 name on POSIX: no UTF-8
      {"\xED\xA0\x80x", "?x"},      // an unpaired surrogate (WTF-8)
      {"\xC3", "?"},                // cut short
      {"\xC0\xAF", "??"},           // overlong
  };
  for (const auto& [system, console] : cases) EXPECT_EQ(consoleTextOf(system), console) << system;
}

TEST(Utf8, TellsUtf8TextsFromSingleByteOnes) {
  EXPECT_TRUE(
      isUtf8Text("Gr\xC3\xBC\xC3\x9F"
                 "e"));
  EXPECT_TRUE(isUtf8Text("\xEF\xBB\xBFKopfzeile="));  // with a byte order mark
  EXPECT_FALSE(isUtf8Text("plain ASCII"));
  EXPECT_FALSE(isUtf8Text(""));
  EXPECT_FALSE(
      isUtf8Text("Gr\xFC\xDF"
                 "e"));  // Windows-1252
  EXPECT_FALSE(
      isUtf8Text("Gr\x81\xE1"
                 "e"));                           // code page 850
  EXPECT_FALSE(isUtf8Text("\xC3\xBC and \xFC"));  // mixed
  EXPECT_FALSE(isUtf8Text("\xED\xA0\x80"));       // a surrogate is no UTF-8
  EXPECT_EQ(utf8Length("K\xC3\xB6ln \xCE\xA9 \xF0\x9F\x98\x80"), 8u);
}

TEST(Utf8, Utf16RoundTripsLosslessly) {
  const std::u16string texts[] = {
      u"Z\u00FCrich",
      u"\u0141ukasz",
      u"\U0001F600",
      std::u16string(1, char16_t{0xD800}),
      std::u16string{u'a', char16_t{0xDC00}, u'b'},
      u"",
  };
  for (const std::u16string& text : texts) EXPECT_EQ(utf16Of(wtf8Of(text)), text);
  EXPECT_EQ(wtf8Of(u"\u0141"), "\xC5\x81");
  EXPECT_EQ(wtf8Of(std::u16string(1, char16_t{0xD800})), "\xED\xA0\x80");
  EXPECT_EQ(utf16Of("a\xFF"), (std::u16string{u'a', char16_t{0xFFFD}}));
}

}  // namespace
}  // namespace menue
