// The blocking waits for input: one event at the prompt and in pauses, a
// typed line in the dialogues.
#include "console/input.h"

#include "console/window_size.h"
#include "platform/text_width.h"
#include "platform/utf8.h"

namespace menue {

InputRecord Input::nextRecord() {
  for (;;) {
    if (auto record = device_.readInput()) {
      if (windowFits(device_.windowSize())) return *record;
      // While the window is too small only ESC counts: a key or click would
      // act on a screen nobody sees. Decoded here all the same, so the mouse
      // state follows the buttons.
      if (decodeRecord(*record, state_).key == keys::Escape) return *record;
      continue;
    }
    screen_.present();
    device_.waitInput();
  }
}

void Input::beginWait(bool prompt) {
  // Only the prompt's wait is typing: every other wait is a pause the user
  // may fill with keys meant for it alone.
  if (!prompt) busy_ = true;
  if (onWait_) onWait_();
}

InputEvent Input::waitForInput() {
  return waitForEvent(false);
}

InputEvent Input::waitForTyping() {
  return waitForEvent(true);
}

InputEvent Input::waitForEvent(bool pasteEnds) {
  beginWait(pasteEnds);
  screen_.hideCursor();
  state_.mouseOn = true;
  device_.setInputMode(inputmode::Mouse);
  InputEvent event;
  while (event.key.none() && event.click.kind == ClickKind::None &&
         !(pasteEnds && event.kind == InputEvent::Kind::Paste)) {
    event = decodeRecord(nextRecord(), state_);
    if (event.key == keys::Escape) throw LeaveRequest{};
    if (event.click.kind == ClickKind::Double) {
      if (event.click.button == mouse::RightButton) throw LeaveRequest{};
      if (event.click.button == mouse::LeftButton) event.key = keys::Enter;
    }
  }
  screen_.hideCursor();
  return event;
}

void Input::flushInput() {
  device_.flushInput();
}

void Input::flushTypedAhead() {
  if (!busy_) return;
  busy_ = false;
  device_.flushInput();
}

void Input::mouseOff() {
  device_.setInputMode(inputmode::None);
  state_.mouseOn = false;
}

std::string Input::readLine() {
  beginWait(false);
  const bool wasHidden = !screen_.cursorVisible();
  if (wasHidden) screen_.showCursor();
  std::string line;
  for (;;) {
    const InputEvent event = decodeRecord(nextRecord(), state_);
    if (event.kind == InputEvent::Kind::Paste) {
      const std::string typed =
          event.paste.substr(0, utf8CutWithin(event.paste, MaxLineLength - line.size()));
      line += typed;
      screen_.writeCharacters(typed);
      continue;
    }
    if (!event.key.isCharacter()) continue;
    if (event.key == keys::Backspace) {
      if (!line.empty()) {
        const std::string before = line;
        dropLastUtf8Character(line);
        // As many cells as the character took: two for a wide one.
        const int columns = textColumns(std::string_view(before).substr(line.size()));
        for (int i = 0; i < columns; ++i) screen_.stepBack();
        if (columns > 0) screen_.writeText(std::string(static_cast<std::size_t>(columns), ' '));
        for (int i = 0; i < columns; ++i) screen_.stepBack();
      }
    } else if (event.key == keys::Enter) {
      screen_.endLine();
      break;
    } else if (!event.key.isControl()) {
      std::string character;
      appendUtf8(character, event.key.character());
      if (line.size() + character.size() > MaxLineLength) continue;
      line += character;
      screen_.writeCharacters(character);
    }
  }
  if (wasHidden) screen_.hideCursor();
  return line;
}

}  // namespace menue
