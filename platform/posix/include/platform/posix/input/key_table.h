// Which key of a US keyboard produces a character or a terminal key
// sequence, in the Windows console's terms (scan code, virtual key).
#pragma once

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace menue {

struct KeyFacts {
  std::uint16_t scanCode = 0;
  std::uint16_t virtualKey = 0;
  std::uint32_t controlKeyState = 0;  // Shift for shifted characters, Enhanced for the cluster
};

// The key that types the ASCII character `ch` (0x20-0x7E).
KeyFacts asciiKey(unsigned char ch);

// The keys of the terminal's cursor and function key sequences.
enum class NamedKey {
  Up,
  Down,
  Right,
  Left,
  Home,
  End,
  PageUp,
  PageDown,
  Insert,
  Delete,
  F1,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12
};
KeyFacts namedKey(NamedKey key);

// The key of CSI <number> ~ (1-6 editing keys, 7/8 Home/End, 11-24 F1-F12).
std::optional<NamedKey> tildeKey(int number);
// The key of CSI <letter> or SS3 <letter> (A-D arrows, H/F Home/End, P-S F1-F4).
std::optional<NamedKey> letterKey(char letter);

// The control-key state of an xterm modifier parameter (2 = Shift, 3 = Alt,
// 5 = Ctrl and their sums plus one).
std::uint32_t modifierState(int parameter);

// A key-down record.
InputRecord keyRecord(const KeyFacts& key, char32_t character, std::uint32_t extraState = 0);

}  // namespace menue
