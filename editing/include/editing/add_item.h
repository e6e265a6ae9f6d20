// "Menü+": the insertion dialogue that adds an item to the current MenuFile,
// and the creation dialogue that writes a new MenuFile when there is none.
#pragma once

#include <string>

#include "session/next.h"

namespace menue {

struct Program;

// Done when the dialogue ran to its end (written or not); NewPass when
// the creation dialogue was abandoned, keeping the line at the prompt.
Next addItem(Program& program, const std::string& commandText);

}  // namespace menue
