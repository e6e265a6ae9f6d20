// Typed input values: the Key (a typed character or an extended key named by
// its scan code), the click data of a mouse event and pasted text.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace menue {

class Key {
 public:
  // No key: the event was a click.
  constexpr Key() = default;
  // A key with a character: the Unicode character typed.
  static constexpr Key character(char32_t c) { return Key(Kind::Character, c); }
  // A key without a character (cursor and function keys, Alt + letter).
  static constexpr Key extended(std::uint8_t scan) { return Key(Kind::Extended, scan); }
  // A control character (below the blank): no text.
  constexpr bool isControl() const { return code_ < 0x20; }

  constexpr bool none() const { return kind_ == Kind::None; }
  constexpr bool isCharacter() const { return kind_ == Kind::Character; }
  constexpr bool isExtended() const { return kind_ == Kind::Extended; }
  // The character; 0 for a key without one.
  constexpr char32_t character() const { return isCharacter() ? code_ : 0; }
  constexpr std::uint8_t scanCode() const {
    return isExtended() ? static_cast<std::uint8_t>(code_) : 0;
  }

  constexpr bool operator==(const Key&) const = default;

 private:
  enum class Kind : std::uint8_t { None, Character, Extended };
  constexpr Key(Kind kind, char32_t code) : kind_(kind), code_(code) {}

  Kind kind_ = Kind::None;
  char32_t code_ = 0;
};

// The keys the program acts on by name.
namespace keys {
inline constexpr Key Enter = Key::character('\r');
inline constexpr Key Backspace = Key::character('\b');
inline constexpr Key Escape = Key::character('\x1b');
inline constexpr Key Blank = Key::character(' ');
inline constexpr Key Up = Key::extended(scan::Up);
inline constexpr Key Down = Key::extended(scan::Down);
}  // namespace keys

enum class ClickKind : std::uint8_t { None, Press, Double };

// The click data of the last event read; row and column 1-based.
struct Click {
  ClickKind kind = ClickKind::None;
  // The button pressed (mouse::LeftButton or RightButton); at a double click
  // every button held.
  std::uint32_t button = 0;
  int row = 1;
  int column = 0;
};

// One decoded console record.
struct InputEvent {
  enum class Kind { Nothing, Movement, Key, Click, Paste } kind = Kind::Nothing;
  Key key;
  Click click;
  // Of a Paste: the text to enter as if typed (UTF-8), the first line of
  // what was pasted without its control characters.
  std::string paste;
};

}  // namespace menue
