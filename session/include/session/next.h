// Where the command loop goes on: the value every command, dialogue, item
// run and handled failure gives back.
#pragma once

#include <cstdint>

namespace menue {

enum class Next : std::uint8_t {
  Continue,          // the caller goes on with its next step
  NewPass,           // a new pass at the loop head, which reloads the menu
  PromptStep,        // the prompt step of a pass, without reload
  AfterCommandWait,  // wait for a key or click, clear the screen, new pass
  End,               // the immediate end of the program
};

}  // namespace menue
