// A MenuFile's encoding: how a loaded text decides it, how its texts read
// as characters, and how typed text is stored or refused.
#include <gtest/gtest.h>

#include <string>

#include "menufile/menu_encoding.h"
#include "menufile/menu_parse.h"

namespace menue {
namespace {

constexpr auto Oem = TextEncoding::Oem850;
constexpr auto Ansi = TextEncoding::Windows1252;
constexpr auto Utf8 = TextEncoding::Utf8;

MenuModel modelOf(const std::string& display) {
  MenuModel model;
  parseMenuText(model, "(Menuanzeige)\r\n" + display + "\r\n(Menuausfuhrung)\r\n\t1x\r\n\t");
  return model;
}

struct EncodingCase {
  const char* display;
  TextEncoding encoding;
};

TEST(MenuEncoding, TheLettersDecideAFilesEncoding) {
  const EncodingCase Cases[] = {
      {"plain", Oem},     // nothing to tell: what the dialogues store
      {"M\x81ll", Oem},   // OEM ü
      {"K\xE4se", Ansi},  // ANSI ä, as Notepad writes
      {"Gr\xFC\xDF"
       "e",
       Ansi},
      {"K\xE4se M\x81ll", Oem},  // both forms: edited by hand and by a dialogue
      {"Stra\xE1"
       "e",
       Oem},                   // 0xE1 is ß in OEM
      {"K\xE4se \xE1", Ansi},  // ... and proves nothing beside an ANSI letter
      {"\x80 5", Oem},         // no letter: the console's code page
      {"K\xC3\xA4se", Utf8},   // valid UTF-8 beyond ASCII
  };
  for (const EncodingCase& test : Cases) {
    EXPECT_EQ(encodingOf(modelOf(test.display)), test.encoding) << test.display;
  }
}

struct ReadCase {
  TextEncoding encoding;
  const char* bytes;
  const char* text;
};

TEST(MenuEncoding, TextsReadAsTheirCharacters) {
  const ReadCase Cases[] = {
      {Oem, "M\x81ll K\xE4se", "M\xC3\xBCll K\xC3\xA4se"},  // either form of a letter
      {Oem, "\x9B \xE1", "\xC3\xB8 \xC3\x9F"},              // ø, and 0xE1 as ß
      {Ansi, "\x80 K\xE4se M\x81ll", "\xE2\x82\xAC K\xC3\xA4se M\xC3\xBCll"},
      {Ansi, "\x9A\xE1", "\xC3\x9C\xC3\x9F"},  // the German letters win
      {Utf8, "\xC5\x81\xFF", "\xC5\x81\xEF\xBF\xBD"},
  };
  for (const ReadCase& test : Cases) {
    EXPECT_EQ(menuTextOf(test.bytes, test.encoding), test.text) << test.bytes;
  }
}

struct StoreCase {
  TextEncoding encoding;
  const char* typed;
  const char* bytes;  // nullptr: refused
  char32_t refused;
};

TEST(MenuEncoding, TypedTextIsStoredWholeOrRefused) {
  const StoreCase Cases[] = {
      {Oem, "M\xC3\xBCll \xC3\xB8", "M\x81ll \x9B", 0},
      {Ansi, "K\xC3\xA4se \xE2\x82\xAC", "K\xE4se \x80", 0},
      {Utf8,
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA \xE6\x97\xA5",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA \xE6\x97\xA5",
       0},
      {Oem, "Preis \xE2\x82\xAC", nullptr, 0x20AC},
      {Ansi,
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       nullptr, 0x0141},
      {Utf8, "x\xFF", nullptr, 0xFFFD},
      // A character whose byte reads back as a German letter would change.
      {Oem, "\xC3\xB5", nullptr, 0x00F5},   // õ is 0xE4, the ANSI ä
      {Ansi, "\xC3\xA1", nullptr, 0x00E1},  // á is 0xE1, the OEM ß
      {Ansi, "\xC5\xA1", nullptr, 0x0161},  // š is 0x9A, the OEM Ü
      {Ansi, "\xC3\x9F\xC3\x9C", "\xDF\xDC", 0},
  };
  for (const StoreCase& test : Cases) {
    const StoredText stored = storedText(test.typed, test.encoding);
    EXPECT_EQ(stored.ok, test.bytes != nullptr) << test.typed;
    EXPECT_EQ(stored.bytes, test.bytes ? test.bytes : "") << test.typed;
    EXPECT_EQ(stored.refused, test.refused) << test.typed;
    EXPECT_EQ(stored.refusal.empty(), stored.ok) << test.typed;
  }
}

TEST(MenuEncoding, TheRefusalNamesTheCharacterAndTheEncoding) {
  EXPECT_EQ(storedText("Preis \xE2\x82\xAC", modelOf("M\x81ll")).refusal,
            " Zeichen \"\xE2\x82\xAC\" passt nicht in diese Men\xC3\xBC"
            "datei (Codepage 850): nichts ge\xC3\xA4ndert.");
  EXPECT_EQ(storedText("\xE6\x97\xA5", modelOf("K\xE4se")).refusal,
            " Zeichen \"\xE6\x97\xA5\" passt nicht in diese Men\xC3\xBC"
            "datei (Windows-1252): nichts ge\xC3\xA4ndert.");
}

}  // namespace
}  // namespace menue
