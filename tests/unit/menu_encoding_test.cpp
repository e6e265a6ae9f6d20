// A MenuFile's encoding and its codecs: how a loaded text decides its
// encoding, each codec with characters it holds and lacks, how texts read
// as characters, and how typed text is stored or refused.
#include <gtest/gtest.h>

#include <string>

#include "menufile/menu_encoding.h"
#include "menufile/menu_parse.h"
#include "platform/code_pages.h"
#include "platform/letters.h"
#include "platform/text_codec.h"
#include "platform/utf8.h"

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

struct HeldCase {
  TextEncoding encoding;
  const char* text;  // UTF-8
  const char* bytes;
};

TEST(TextCodec, HeldCharactersGoBothWays) {
  const HeldCase Cases[] = {
      {Oem, "M\xC3\xBC\xC3\x9F\xC3\x84", "M\x81\xE1\x8E"},       // ü ß Ä
      {Oem, "\xE2\x95\x94\xE2\x95\x90", "\xC9\xCD"},             // the frame's ╔═
      {Oem, "\xC2\xA0\xC2\xAD", "\xFF\xF0"},                     // no-break space, soft hyphen
      {Oem, "\t\x01\x7F", "\t\x01\x7F"},                         // controls are ASCII here
      {Ansi, "M\xC3\xBC\xE2\x82\xAC\xC5\xA0", "M\xFC\x80\x8A"},  // ü € Š
      {Ansi, "\xC2\x81\xC2\x9D", "\x81\x9D"},  // the undefined bytes as their C1 controls
      {Utf8, "\xE6\x97\xA5\xF0\x9F\x98\x80", "\xE6\x97\xA5\xF0\x9F\x98\x80"},  // 日 and an emoji
  };
  for (const HeldCase& test : Cases) {
    EXPECT_EQ(decodeText(test.bytes, test.encoding), test.text) << test.text;
    const EncodeResult encoded = encodeText(test.text, test.encoding);
    EXPECT_TRUE(encoded.ok) << test.text;
    EXPECT_EQ(encoded.bytes, test.bytes) << test.text;
  }
}

// Rewriting what was read changes no byte of a single-byte code page.
TEST(TextCodec, SingleByteCodePagesRoundTripEveryByte) {
  for (const TextEncoding encoding : {Oem, Ansi}) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    const EncodeResult back = encodeText(decodeText(all, encoding), encoding);
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.bytes, all);
  }
}

struct LackedCase {
  TextEncoding encoding;
  const char* text;
  char32_t character;
  std::size_t offset;
};

TEST(TextCodec, LackedCharactersAreNamedNotReplaced) {
  const LackedCase Cases[] = {
      {Oem, "K\xC3\xA4se \xE6\x97\xA5", 0x65E5, 6},  // 日 after a held ä
      {Ansi, "\xC3\xB3\x64\xC5\xBA", 0x017A, 3},     // ó held, ź not
      {Ansi, "\xE2\x95\x94", 0x2554, 0},             // no frame characters in ANSI
      {Ansi, "x\xC2\x80", 0x0080, 1},                // € owns 0x80, not U+0080
      {Utf8, "ok\xFC", 0xFFFD, 2},                   // a stray byte is never stored
      {Utf8, "\xED\xA0\x80", 0xFFFD, 0},             // nor a coded surrogate
      {Oem, "\xC3", 0xFFFD, 0},                      // nor a cut character
  };
  for (const LackedCase& test : Cases) {
    const EncodeResult encoded = encodeText(test.text, test.encoding);
    EXPECT_FALSE(encoded.ok) << test.text;
    EXPECT_EQ(encoded.unencodable, test.character) << test.text;
    EXPECT_EQ(encoded.offset, test.offset) << test.text;
    EXPECT_TRUE(encoded.bytes.empty()) << test.text;
  }
  // Decoding invalid UTF-8 replaces each broken byte and keeps the rest.
  EXPECT_EQ(decodeText("\xE6\x97", Utf8), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(decodeText("\xC0\xAF", Utf8), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong '/'
}

struct EncodingCase {
  const char* display;
  TextEncoding encoding;
};

TEST(MenuEncoding, TheLettersDecideAFilesEncoding) {
  const EncodingCase Cases[] = {
      {"plain", Oem},            // nothing to tell: what the dialogues store
      {"M\x81ll", Oem},          // OEM ü
      {"K\xE4se", Ansi},         // ANSI ä, as Notepad writes
      {"K\xE4se M\x81ll", Oem},  // both forms: edited by hand and by a dialogue
      {"Stra\xE1\x65", Oem},     // 0xE1 is ß in OEM
      {"K\xE4se \xE1", Ansi},    // ... and proves nothing beside an ANSI letter
      {"\x80 5", Oem},           // no letter: the console's code page
      {"K\xC3\xA4se", Utf8},     // valid UTF-8 beyond ASCII
  };
  for (const EncodingCase& test : Cases) {
    EXPECT_EQ(encodingOf(modelOf(test.display)), test.encoding) << test.display;
  }
}

// A code-page file reads as it has always been shown: every printable byte
// as its cell's character after the German-letter conversion (the soft
// hyphen's cell shows a plain hyphen, the one deliberate glyph); an ANSI
// file reads the OEM German letters too.
TEST(MenuEncoding, TextsReadAsTheyHaveAlwaysShown) {
  for (int byte = 0x20; byte < 0x100; ++byte) {
    if (byte == 0x7F || byte == 0xF0) continue;
    const std::string one(1, static_cast<char>(byte));
    std::string shown;
    appendUtf8(shown, cellCharacter(static_cast<unsigned char>(toOem(one)[0])));
    EXPECT_EQ(menuTextOf(one, Oem), shown) << byte;
  }
  EXPECT_EQ(menuTextOf("\x80 K\xE4se M\x81ll", Ansi), "\xE2\x82\xAC K\xC3\xA4se M\xC3\xBCll");
  EXPECT_EQ(menuTextOf("\x9A\xE1", Ansi), "\xC3\x9C\xC3\x9F");  // the German letters win
  EXPECT_EQ(menuTextOf("\xC5\x81\xFF", Utf8), "\xC5\x81\xEF\xBF\xBD");
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
      {Ansi, "\xC3\x9F\xC3\x9C", "\xDF\xDC", 0},
      {Oem, "Preis \xE2\x82\xAC", nullptr, 0x20AC},
      {Utf8, "x\xFF", nullptr, 0xFFFD},
      // A character whose byte reads back as a German letter would change.
      {Oem, "\xC3\xB5", nullptr, 0x00F5},   // õ is 0xE4, the ANSI ä
      {Ansi, "\xC3\xA1", nullptr, 0x00E1},  // á is 0xE1, the OEM ß
      {Ansi, "\xC5\xA1", nullptr, 0x0161},  // š is 0x9A, the OEM Ü
  };
  for (const StoreCase& test : Cases) {
    const StoredText stored = storedText(test.typed, test.encoding);
    EXPECT_EQ(stored.ok, test.bytes != nullptr) << test.typed;
    EXPECT_EQ(stored.bytes, test.bytes ? test.bytes : "") << test.typed;
    EXPECT_EQ(stored.refused, test.refused) << test.typed;
    EXPECT_EQ(stored.refusal.empty(), stored.ok) << test.typed;
  }
  EXPECT_EQ(storedText("Preis \xE2\x82\xAC", modelOf("M\x81ll")).refusal,
            " Zeichen \"\xE2\x82\xAC\" passt nicht in diese Men\xC3\xBC"
            "datei (Codepage 850): nichts ge\xC3\xA4ndert.");
  EXPECT_EQ(storedText("\xE6\x97\xA5", modelOf("K\xE4se")).refusal,
            " Zeichen \"\xE6\x97\xA5\" passt nicht in diese Men\xC3\xBC"
            "datei (Windows-1252): nichts ge\xC3\xA4ndert.");
}

}  // namespace
}  // namespace menue
