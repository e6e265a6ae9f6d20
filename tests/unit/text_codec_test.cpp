// The MenuFile codecs: each encoding with characters it holds and characters
// it lacks, both ways, with the exact bytes.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_codec.h"

namespace menue {
namespace {

constexpr auto Oem = TextEncoding::Oem850;
constexpr auto Ansi = TextEncoding::Windows1252;
constexpr auto Utf8 = TextEncoding::Utf8;

// A character (UTF-8) and its bytes in an encoding; both ways.
struct HeldCase {
  TextEncoding encoding;
  const char* text;
  const char* bytes;
};

TEST(TextCodec, HeldCharactersGoBothWays) {
  const HeldCase Cases[] = {
      {Oem, "M\xC3\xBC", "M\x81"},                    // ü
      {Oem, "\xC3\x9F\xC3\x84", "\xE1\x8E"},          // ß Ä
      {Oem, "\xE2\x95\x94\xE2\x95\x90", "\xC9\xCD"},  // the frame's ╔═
      {Oem, "\xC2\xA0\xC2\xAD", "\xFF\xF0"},          // no-break space, soft hyphen
      {Oem, "\t\x01\x7F", "\t\x01\x7F"},              // controls are ASCII here
      {Ansi, "M\xC3\xBC", "M\xFC"},
      {Ansi, "\xE2\x82\xAC", "\x80"},          // €
      {Ansi, "\xC5\xA0\xC5\xBD", "\x8A\x8E"},  // Š Ž
      {Ansi, "\xC2\x81\xC2\x9D", "\x81\x9D"},  // the undefined bytes as their C1 controls
      {Ansi, "\xC3\xBF", "\xFF"},
      {Utf8,
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA"},                                                           // Łódź
      {Utf8, "\xE6\x97\xA5\xF0\x9F\x98\x80", "\xE6\x97\xA5\xF0\x9F\x98\x80"},  // 日 and an emoji
      {Utf8, "", ""},
  };
  for (const HeldCase& test : Cases) {
    EXPECT_EQ(decodeText(test.bytes, test.encoding), test.text) << test.text;
    const EncodeResult encoded = encodeText(test.text, test.encoding);
    EXPECT_TRUE(encoded.ok) << test.text;
    EXPECT_EQ(encoded.bytes, test.bytes) << test.text;
  }
}

// Every byte of a single-byte code page decodes to a character that encodes
// back to the byte: rewriting what was read changes nothing.
TEST(TextCodec, SingleByteCodePagesRoundTripEveryByte) {
  for (const TextEncoding encoding : {Oem, Ansi}) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
    const EncodeResult back = encodeText(decodeText(all, encoding), encoding);
    EXPECT_TRUE(back.ok);
    EXPECT_EQ(back.bytes, all);
  }
}

// A character the encoding lacks: named, with where it starts, and nothing
// stored.
struct LackedCase {
  TextEncoding encoding;
  const char* text;
  char32_t character;
  std::size_t offset;
};

TEST(TextCodec, LackedCharactersAreNamedNotReplaced) {
  const LackedCase Cases[] = {
      {Oem, "Preis \xE2\x82\xAC", 0x20AC, 6},  // € is not in code page 850
      {Oem,
       "\xC5\x81\xC3\xB3"
       "d\xC5\xBA",
       0x0141, 0},                                   // Ł
      {Oem, "K\xC3\xA4se \xE6\x97\xA5", 0x65E5, 6},  // 日 after a held ä
      {Ansi,
       "\xC3\xB3"
       "d\xC5\xBA",
       0x017A, 3},                        // ó held, ź not
      {Ansi, "\xE2\x95\x94", 0x2554, 0},  // no frame characters in ANSI
      {Ansi, "x\xC2\x80", 0x0080, 1},     // € owns 0x80, not U+0080
      {Utf8, "ok\xFC", 0xFFFD, 2},        // a stray byte is never stored
      {Utf8, "\xED\xA0\x80", 0xFFFD, 0},  // nor a coded surrogate
      {Oem, "\xC3", 0xFFFD, 0},           // nor a cut character
  };
  for (const LackedCase& test : Cases) {
    const EncodeResult encoded = encodeText(test.text, test.encoding);
    EXPECT_FALSE(encoded.ok) << test.text;
    EXPECT_EQ(encoded.unencodable, test.character) << test.text;
    EXPECT_EQ(encoded.offset, test.offset) << test.text;
    EXPECT_TRUE(encoded.bytes.empty()) << test.text;
  }
}

TEST(TextCodec, InvalidUtf8DecodesToReplacementsAndKeepsTheRest) {
  EXPECT_EQ(decodeText("a\xFF"
                       "b",
                       Utf8),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(decodeText("\xE6\x97", Utf8), "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(decodeText("\xC0\xAF", Utf8), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong '/'
}

}  // namespace
}  // namespace menue
