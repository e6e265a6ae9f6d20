// Keyboard and mouse input: decoding console records into the Key and the
// click data, the blocking wait for one event, line input, the highlight.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace menue {

struct Program;

inline constexpr int ClickNone = 0;
inline constexpr int ClickPress = 1;
inline constexpr int ClickDouble = 2;

// The click data of the last event read.
struct ClickData {
  int kind = ClickNone;
  int button = 0;
  int row = 1;
  int column = 0;
};

// What the input side remembers between records.
struct InputState {
  bool mouseOn = false;
  std::uint32_t lastButtons = 0;
};

// One decoded record.
struct InputEvent {
  enum class Kind { Nothing, Movement, Key, Click } kind = Kind::Nothing;
  std::string key;  // one byte, or 0 and the scan code
  ClickData click;
};

// Decodes one record (Alt+letter rule, Caps Lock correction, modifier keys
// skipped, mouse presses by changed button, double clicks); records that are
// skipped decode to Nothing. Updates the remembered button state.
InputEvent decodeRecord(const InputRecord& record, InputState& state);

// The scan code of an extended Key ("\0" + code), or -1 for any other Key.
int scanCodeOf(const std::string& key);

// Waits (blocking) for one key press or click; ESC and a right double click
// end the program, a left double click arrives as Enter.
void waitForInput(Program& program);
void flushInput(Program& program);
// Reads a typed line with echo and Backspace; ESC and mouse are ignored.
std::string readLine(Program& program);
// Moves HighlightedItem one item down (+1) or up (-1) with wrap-around and
// writes the row markers.
void moveHighlight(Program& program, int direction);

}  // namespace menue
