// The blocking waits for input: one key press or click at the prompt and in
// pauses, and a typed line in the dialogues.
#pragma once

#include <string>

#include "console/console_screen.h"
#include "console/input_decode.h"
#include "console/key.h"
#include "platform/platform.h"

namespace menue {

// Thrown by a wait when the user asks to leave the program (ESC or a right
// double click): the one way out of the middle of any dialogue.
struct LeaveRequest {};

class Input {
 public:
  Input(ConsoleDevice& device, ConsoleScreen& screen) : device_(device), screen_(screen) {}

  // Waits for one key press or click with the mouse on and the cursor
  // hidden. A left double click arrives as Enter with its click data; ESC
  // and a right double click throw LeaveRequest.
  InputEvent waitForInput();
  // Discards every pending record.
  void flushInput();
  // Reads a typed line with echo and Backspace; ESC, extended keys and
  // clicks are ignored.
  std::string readLine();
  // Console input without mouse, as at start-up.
  void mouseOff();

 private:
  InputRecord nextRecord();

  ConsoleDevice& device_;
  ConsoleScreen& screen_;
  InputState state_;
};

}  // namespace menue
