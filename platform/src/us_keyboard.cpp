// The one table of the US keyboard's character keys.
#include "platform/us_keyboard.h"

#include <array>

#include "platform/platform.h"

namespace menue {

namespace {

struct PunctuationKey {
  char plain;
  char shifted;
  std::uint16_t scanCode;
  std::uint16_t virtualKey;
};

// Digits and punctuation, each with the character Shift gives on its key.
constexpr std::array<PunctuationKey, 21> Punctuation = {{
    {'1', '!', 0x02, '1'},   {'2', '@', 0x03, '2'},  {'3', '#', 0x04, '3'},
    {'4', '$', 0x05, '4'},   {'5', '%', 0x06, '5'},  {'6', '^', 0x07, '6'},
    {'7', '&', 0x08, '7'},   {'8', '*', 0x09, '8'},  {'9', '(', 0x0A, '9'},
    {'0', ')', 0x0B, '0'},   {'-', '_', 0x0C, 0xBD}, {'=', '+', 0x0D, 0xBB},
    {'[', '{', 0x1A, 0xDB},  {']', '}', 0x1B, 0xDD}, {';', ':', 0x27, 0xBA},
    {'\'', '"', 0x28, 0xDE}, {'`', '~', 0x29, 0xC0}, {'\\', '|', 0x2B, 0xDC},
    {',', '<', 0x33, 0xBC},  {'.', '>', 0x34, 0xBE}, {'/', '?', 0x35, 0xBF},
}};

// Scan codes of the letters a-z; their virtual keys are the capitals.
constexpr std::array<std::uint8_t, 26> LetterScanCodes = {
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C,
};

constexpr std::uint16_t VirtualKeySpace = 0x20;

}  // namespace

std::optional<UsKey> usKeyFor(char ch) {
  if (ch >= 'a' && ch <= 'z') {
    return UsKey{LetterScanCodes[ch - 'a'], static_cast<std::uint16_t>(ch - 'a' + 'A'), false};
  }
  if (ch >= 'A' && ch <= 'Z') {
    return UsKey{LetterScanCodes[ch - 'A'], static_cast<std::uint16_t>(ch), true};
  }
  if (ch == ' ') return UsKey{scan::Space, VirtualKeySpace, false};
  for (const PunctuationKey& key : Punctuation) {
    if (key.plain == ch) return UsKey{key.scanCode, key.virtualKey, false};
    if (key.shifted == ch) return UsKey{key.scanCode, key.virtualKey, true};
  }
  return std::nullopt;
}

std::optional<UsKeyCharacters> usPunctuationCharacters(std::uint16_t scanCode) {
  for (const PunctuationKey& key : Punctuation) {
    if (key.scanCode == scanCode) return UsKeyCharacters{key.plain, key.shifted};
  }
  return std::nullopt;
}

}  // namespace menue
