// The US keyboard table: every printable character has a key that types it
// back, a few keys pinned to the console's values, and the bytes no key types.
#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "platform/us_keyboard.h"

namespace menue {
namespace {

TEST(UsKeyboard, EveryPrintableCharacterHasOneKeyThatTypesIt) {
  std::map<std::uint16_t, int> charactersPerScanCode;
  for (int c = 0x20; c < 0x7F; ++c) {
    const auto key = usKeyFor(static_cast<char>(c));
    ASSERT_TRUE(key) << "character " << c;
    ++charactersPerScanCode[key->scanCode];
    if (const auto pair = usPunctuationCharacters(key->scanCode)) {
      EXPECT_EQ(key->shift ? pair->shifted : pair->plain, static_cast<char>(c)) << c;
    } else {
      EXPECT_TRUE(std::isalpha(c) || c == ' ') << c;
      EXPECT_EQ(key->shift, std::isupper(c) != 0) << c;
    }
  }
  // Two characters on every key but the blank's.
  for (const auto& [scanCode, count] : charactersPerScanCode) {
    EXPECT_EQ(count, scanCode == 0x39 ? 1 : 2) << "scan code " << scanCode;
  }
}

TEST(UsKeyboard, KeysAsTheConsoleReportsThem) {
  const struct {
    char ch;
    std::optional<UsKey> key;
  } cases[] = {
      {'a', UsKey{0x1E, 'A', false}},
      {'Q', UsKey{0x10, 'Q', true}},
      {' ', UsKey{0x39, 0x20, false}},
      {'!', UsKey{0x02, '1', true}},
      {'/', UsKey{0x35, 0xBF, false}},
      {'~', UsKey{0x29, 0xC0, true}},
      {'\t', std::nullopt},
      {'\x7f', std::nullopt},
      {'\x81', std::nullopt},
      {'\0', std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(usKeyFor(c.ch), c.key) << static_cast<int>(c.ch);
  EXPECT_EQ(usPunctuationCharacters(0x0C), (UsKeyCharacters{'-', '_'}));
  EXPECT_FALSE(usPunctuationCharacters(0x1E));  // a letter: Caps Lock shifts it
  EXPECT_FALSE(usPunctuationCharacters(0x39));
}

}  // namespace
}  // namespace menue
