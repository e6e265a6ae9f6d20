// "Menü*": exchanges two items of the current MenuFile.
#pragma once

#include <string>

#include "session/next.h"

namespace menue {

struct Program;

// Done when the command ran to its end (swapped or not).
Next swapItems(Program& program, const std::string& commandText);

}  // namespace menue
