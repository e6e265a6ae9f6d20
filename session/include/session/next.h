// Where the command loop goes on: the value every command, dialogue, item
// run and handled failure gives back. A step's caller must look at it.
#pragma once

#include <cstdint>

namespace menue {

// (clang-format takes the attribute for a brace initialiser.)
// clang-format off
enum class [[nodiscard]] Next : std::uint8_t {
  Continue,          // the caller goes on with its next step
  Done,              // the command ran to its end: its line goes, a new pass
  NewPass,           // a new pass at the loop head, which reloads the menu
  PromptStep,        // the prompt step of a pass, without reload
  AfterCommandWait,  // wait for a key or click, clear the screen, new pass
  End,               // the immediate end of the program
};
// clang-format on

}  // namespace menue
