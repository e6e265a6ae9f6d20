// "Menü-": removes one item from the current MenuFile.
#pragma once

#include <string>

#include "session/next.h"

namespace menue {

struct Program;

// Done when the command ran to its end (removed or not).
Next removeItem(Program& program, const std::string& commandText);

}  // namespace menue
