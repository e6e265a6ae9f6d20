// The refusal of a typed text that cannot go where it was meant to go whole:
// its message on the screen, a pause, and nothing done.
#pragma once

#include <string>
#include <string_view>

#include "session/next.h"

namespace menue {

struct Program;

// A character's code as the messages name it: "U+20AC".
std::string characterCode(char32_t character);
// The message naming a character, "Zeichen "€" (U+20AC)", in UTF-8.
std::string namedCharacter(char32_t character);
// Shows `message` (UTF-8) on its own line and pauses; the command ends.
Next refuseTypedText(Program& program, std::string_view message);

}  // namespace menue
