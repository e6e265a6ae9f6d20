// The blocking waits for input: one key press or click at the prompt and in
// pauses, and a typed line in the dialogues.
#pragma once

#include <functional>
#include <string>
#include <utility>

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
  // The most bytes a typed line (UTF-8) holds; what is typed or pasted
  // beyond is dropped, never part of a character.
  static constexpr std::size_t MaxLineLength = 10000;

  Input(ConsoleDevice& device, ConsoleScreen& screen) : device_(device), screen_(screen) {}

  // Waits for one key press or click with the mouse on and the cursor
  // hidden. A left double click arrives as Enter with its click data; ESC
  // and a right double click throw LeaveRequest. A paste is no key press:
  // it is dropped and the wait goes on.
  InputEvent waitForInput();
  // The same, where text is typed: a paste ends the wait too.
  InputEvent waitForTyping();
  // Discards every pending record but pastes.
  void flushInput();
  // The prompt's flush: discards what is pending only when it may have come
  // while the program was busy (a started program, a pause, any wait but
  // the prompt's own) since the last such flush. Keys that arrived together
  // with the ones the prompt just took are typing and stay.
  void flushTypedAhead();
  // Says that the program did something that takes time: what arrives
  // meanwhile is typed ahead.
  void markBusy() { busy_ = true; }
  // Reads a typed line (UTF-8) with echo and Backspace; ESC, extended keys
  // and clicks are ignored; a paste is typed.
  std::string readLine();
  // Console input without mouse, as at start-up.
  void mouseOff();
  // Called as every wait above begins, while the user may do anything
  // elsewhere: the owner drops there what it knows of the disk.
  void onWait(std::function<void()> hook) { onWait_ = std::move(hook); }

 private:
  InputRecord nextRecord();
  InputEvent waitForEvent(bool pasteEnds);
  void beginWait(bool prompt);

  ConsoleDevice& device_;
  ConsoleScreen& screen_;
  InputState state_;
  std::function<void()> onWait_;
  // Set by everything after which pending input is typed ahead; the start
  // counts as such.
  bool busy_ = true;
};

}  // namespace menue
