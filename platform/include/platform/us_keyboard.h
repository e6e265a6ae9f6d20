// The US keyboard layout in the Windows console's terms: the key that types
// an ASCII character, and the two characters of each digit and punctuation
// key. The POSIX backend makes key records from it, the core corrects Caps
// Lock with it, and the tests type with it.
#pragma once

#include <cstdint>
#include <optional>

namespace menue {

struct UsKey {
  std::uint16_t scanCode = 0;
  std::uint16_t virtualKey = 0;
  bool shift = false;  // the character needs Shift held
  bool operator==(const UsKey&) const = default;
};

// The key that types `ch`: a letter, digit, punctuation character or the
// blank; nothing for any other byte.
std::optional<UsKey> usKeyFor(char ch);

struct UsKeyCharacters {
  char plain = 0;
  char shifted = 0;
  bool operator==(const UsKeyCharacters&) const = default;
};

// What the digit or punctuation key with this scan code types without and
// with Shift; nothing for any other key (letters included: Caps Lock shifts
// those, but not these).
std::optional<UsKeyCharacters> usPunctuationCharacters(std::uint16_t scanCode);

}  // namespace menue
