// Typed characters (through the US keyboard table) and the terminal key
// sequences as Windows scan codes and virtual keys.
#include "platform/posix/input/key_table.h"

#include "platform/us_keyboard.h"

namespace menue {

KeyFacts asciiKey(unsigned char ch) {
  const std::optional<UsKey> key = usKeyFor(static_cast<char>(ch));
  if (!key) return {};
  return {key->scanCode, key->virtualKey, key->shift ? keystate::Shift : 0};
}

KeyFacts namedKey(NamedKey key) {
  constexpr std::uint32_t Enhanced = keystate::Enhanced;
  switch (key) {
    case NamedKey::Up:
      return {scan::Up, 0x26, Enhanced};
    case NamedKey::Down:
      return {scan::Down, 0x28, Enhanced};
    case NamedKey::Right:
      return {scan::Right, 0x27, Enhanced};
    case NamedKey::Left:
      return {scan::Left, 0x25, Enhanced};
    case NamedKey::Home:
      return {scan::Home, 0x24, Enhanced};
    case NamedKey::End:
      return {scan::End, 0x23, Enhanced};
    case NamedKey::PageUp:
      return {scan::PageUp, 0x21, Enhanced};
    case NamedKey::PageDown:
      return {scan::PageDown, 0x22, Enhanced};
    case NamedKey::Insert:
      return {scan::Insert, 0x2D, Enhanced};
    case NamedKey::Delete:
      return {scan::Delete, 0x2E, Enhanced};
    case NamedKey::F11:
      return {scan::F11, 0x7A, 0};
    case NamedKey::F12:
      return {scan::F12, 0x7B, 0};
    default: {
      // F1-F10 have consecutive scan codes and virtual keys (0x70-0x79).
      const int n = static_cast<int>(key) - static_cast<int>(NamedKey::F1);
      return {static_cast<std::uint16_t>(scan::F1 + n), static_cast<std::uint16_t>(0x70 + n), 0};
    }
  }
}

std::optional<NamedKey> tildeKey(int number) {
  switch (number) {
    case 1:
    case 7:
      return NamedKey::Home;
    case 2:
      return NamedKey::Insert;
    case 3:
      return NamedKey::Delete;
    case 4:
    case 8:
      return NamedKey::End;
    case 5:
      return NamedKey::PageUp;
    case 6:
      return NamedKey::PageDown;
    case 11:
      return NamedKey::F1;
    case 12:
      return NamedKey::F2;
    case 13:
      return NamedKey::F3;
    case 14:
      return NamedKey::F4;
    case 15:
      return NamedKey::F5;
    case 17:
      return NamedKey::F6;
    case 18:
      return NamedKey::F7;
    case 19:
      return NamedKey::F8;
    case 20:
      return NamedKey::F9;
    case 21:
      return NamedKey::F10;
    case 23:
      return NamedKey::F11;
    case 24:
      return NamedKey::F12;
    default:
      return std::nullopt;
  }
}

std::optional<NamedKey> letterKey(char letter) {
  switch (letter) {
    case 'A':
      return NamedKey::Up;
    case 'B':
      return NamedKey::Down;
    case 'C':
      return NamedKey::Right;
    case 'D':
      return NamedKey::Left;
    case 'H':
      return NamedKey::Home;
    case 'F':
      return NamedKey::End;
    case 'P':
      return NamedKey::F1;
    case 'Q':
      return NamedKey::F2;
    case 'R':
      return NamedKey::F3;
    case 'S':
      return NamedKey::F4;
    default:
      return std::nullopt;
  }
}

std::uint32_t modifierState(int parameter) {
  if (parameter < 2) return 0;
  const int bits = parameter - 1;
  std::uint32_t state = 0;
  if (bits & 1) state |= keystate::Shift;
  if (bits & 2) state |= keystate::LeftAlt;
  if (bits & 4) state |= keystate::LeftCtrl;
  return state;
}

InputRecord keyRecord(const KeyFacts& key, char32_t character, std::uint32_t extraState) {
  InputRecord record;
  record.kind = RecordKind::Key;
  record.key.keyDown = true;
  record.key.scanCode = key.scanCode;
  record.key.virtualKey = key.virtualKey;
  record.key.character = character;
  record.key.controlKeyState = key.controlKeyState | extraState;
  return record;
}

}  // namespace menue
