// The letters derived from the code page tables: for every byte, its German
// letter, its Windows-1252 to OEM conversion and its upper case, against
// the bytes the program has always used.
#include <gtest/gtest.h>

#include <string>

#include "platform/letters.h"

namespace menue {
namespace {

struct Letter {
  unsigned char byte;
  char german;  // germanLetterOf
  char oem;     // toOem of the byte alone
  char upper;   // oemUpper
};

// Every byte that any of the three changes or names; all others give 0,
// themselves and themselves.
constexpr Letter Letters[] = {
    // ä ö ü Ä Ö Ü ß in OEM: letters; ä ö ü also fold.
    {0x84, '\x84', '\x84', '\x8E'},
    {0x94, '\x94', '\x94', '\x99'},
    {0x81, '\x81', '\x81', '\x9A'},
    {0x8E, '\x8E', '\x8E', '\x8E'},
    {0x99, '\x99', '\x99', '\x99'},
    {0x9A, '\x9A', '\x9A', '\x9A'},
    {0xE1, '\xE1', '\xE1', '\xE1'},
    // The same letters in ANSI.
    {0xE4, '\x84', '\x84', '\xE4'},
    {0xF6, '\x94', '\x94', '\xF6'},
    {0xFC, '\x81', '\x81', '\xFC'},
    {0xC4, '\x8E', '\x8E', '\xC4'},
    {0xD6, '\x99', '\x99', '\xD6'},
    {0xDC, '\x9A', '\x9A', '\xDC'},
    {0xDF, '\xE1', '\xE1', '\xDF'},
    // é ñ å ç fold in OEM and are no German letters.
    {0x82, 0, '\x82', '\x90'},
    {0xA4, 0, '\xA4', '\xA5'},
    {0x86, 0, '\x86', '\x8F'},
    {0x87, 0, '\x87', '\x80'},
};

TEST(Letters, EveryByteAsTheProgramHasAlwaysReadIt) {
  for (int value = 0; value < 256; ++value) {
    const auto byte = static_cast<unsigned char>(value);
    const char c = static_cast<char>(byte);
    Letter expected{byte, 0, c, c};
    if (byte >= 'a' && byte <= 'z') expected.upper = static_cast<char>(byte - 'a' + 'A');
    for (const Letter& letter : Letters) {
      if (letter.byte == byte) expected = letter;
    }
    SCOPED_TRACE(value);
    EXPECT_EQ(germanLetterOf(byte), expected.german);
    EXPECT_EQ(toOem(std::string(1, c)), std::string(1, expected.oem));
    EXPECT_EQ(oemUpper(c), expected.upper);
    const bool capital = byte >= 'A' && byte <= 'Z';
    EXPECT_EQ(asciiLower(c), capital ? static_cast<char>(byte - 'A' + 'a') : c);
    EXPECT_EQ(asciiUpper(c), byte < 0x80 ? expected.upper : c);
  }
}

}  // namespace
}  // namespace menue
