// Decoding console input records into the Key and the click data: the
// Alt+letter rule, the Caps Lock correction of the digit and punctuation
// keys, modifier keys skipped, mouse presses by the changed button, double
// clicks from the record's event flags; pasted text made typable.
#include "console/input_decode.h"

#include <optional>

#include "platform/us_keyboard.h"

namespace menue {

namespace {

// ASCII DEL: a control character, though code page 850 has a glyph for it.
constexpr unsigned char DeleteCharacter = 0x7F;

bool inLetterRows(std::uint16_t scan) {
  return (scan >= 0x10 && scan <= 0x19) || (scan >= 0x1E && scan <= 0x26) ||
         (scan >= 0x2C && scan <= 0x32);
}

bool isModifierKey(std::uint16_t code) {
  switch (code) {
    case scan::Ctrl:
    case scan::LeftShift:
    case scan::RightShift:
    case scan::Alt:
    case scan::CapsLock:
    case scan::NumLock:
    case scan::ScrollLock:
      return true;
    default:
      return false;
  }
}

// Caps Lock must not change what the digit and punctuation keys give: with
// Shift the plain character becomes the shifted one, without Shift the
// shifted one plain.
char32_t correctCapsLock(const KeyRecord& key) {
  const char32_t c = key.character;
  if (!(key.controlKeyState & keystate::CapsLock)) return c;
  const std::optional<UsKeyCharacters> pair = usPunctuationCharacters(key.scanCode);
  if (!pair) return c;
  const bool shift = key.controlKeyState & keystate::Shift;
  if (shift && c == static_cast<unsigned char>(pair->plain)) {
    return static_cast<unsigned char>(pair->shifted);
  }
  if (!shift && c == static_cast<unsigned char>(pair->shifted)) {
    return static_cast<unsigned char>(pair->plain);
  }
  return c;
}

Key extendedKey(std::uint16_t code) {
  return Key::extended(static_cast<std::uint8_t>(code & 0xFF));
}

InputEvent decodeKey(const KeyRecord& key) {
  InputEvent event;
  if (!key.keyDown) return event;
  // Wine's terminal console reports the ESC key as scan code 1 without a
  // character.
  if (key.scanCode == scan::Escape && key.character == 0) {
    event.kind = InputEvent::Kind::Key;
    event.key = keys::Escape;
    return event;
  }
  if (key.character != 0) {
    event.kind = InputEvent::Kind::Key;
    bool alt = key.controlKeyState & (keystate::LeftAlt | keystate::RightAlt);
    if (alt && inLetterRows(key.scanCode)) {
      event.key = extendedKey(key.scanCode);
    } else {
      event.key = Key::character(correctCapsLock(key));
    }
    return event;
  }
  if (isModifierKey(key.scanCode)) return event;
  event.kind = InputEvent::Kind::Key;
  event.key = extendedKey(key.scanCode);
  return event;
}

InputEvent decodeMouse(const MouseRecord& mouse, InputState& state) {
  InputEvent event;
  std::uint32_t previous = state.lastButtons;
  state.lastButtons = mouse.buttonState;
  Click click;
  click.row = mouse.position.row + 1;
  click.column = mouse.position.column + 1;
  if (mouse.eventFlags == mouse::Moved) {
    event.kind = InputEvent::Kind::Movement;
    return event;
  }
  if (mouse.eventFlags > 1) {
    if (!(mouse.buttonState & (mouse::LeftButton | mouse::RightButton))) return event;
    click.kind = ClickKind::Double;
    click.button = mouse.buttonState & 0xFF;
  } else {
    std::uint32_t changed = mouse.buttonState ^ previous;
    std::uint32_t button = changed & (~changed + 1);
    bool down = mouse.buttonState & button;
    if (!down || (button != mouse::LeftButton && button != mouse::RightButton)) return event;
    click.kind = ClickKind::Press;
    click.button = button;
  }
  event.kind = InputEvent::Kind::Click;
  event.click = click;
  return event;
}

// A line end ends what a paste types: the rest is dropped, so that a paste
// can never stand for Enter. Other control characters are not typable.
InputEvent decodePaste(const std::string& pasted) {
  InputEvent event;
  event.kind = InputEvent::Kind::Paste;
  for (const char c : pasted) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\r' || byte == '\n') break;
    if (byte >= ' ' && byte != DeleteCharacter) event.paste += c;
  }
  return event;
}

}  // namespace

InputEvent decodeRecord(const InputRecord& record, InputState& state) {
  switch (record.kind) {
    case RecordKind::Key:
      return decodeKey(record.key);
    case RecordKind::Mouse:
      if (!state.mouseOn) return InputEvent{};
      return decodeMouse(record.mouse, state);
    case RecordKind::Paste:
      return decodePaste(record.paste);
    case RecordKind::WindowSize:
    case RecordKind::Other:
      break;
  }
  return InputEvent{};
}

}  // namespace menue
