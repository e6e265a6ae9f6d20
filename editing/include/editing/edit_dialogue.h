// Pieces the edit commands share: the status question, reading command
// lines, the position written after the command word, and the common exit.
#pragma once

#include <string>
#include <string_view>

#include "session/next.h"

namespace menue {

struct Program;

// The command word ("MENÜ" and its sign) is the first six bytes of the
// command text (UTF-8).
inline constexpr std::size_t CommandWordLength = 6;

// Asks for the ItemStatus; any key but "1", "2" or "3", and a click, give '1'.
char askStatus(Program& program);
// Reads command lines after `prompt` until an empty one; each line ends in
// CR LF. Empty when the first line is empty.
std::string readCommandLines(Program& program, std::string_view prompt);
// The number that characters 6 to 8 of the command text begin with, or
// nothing when the command word stands alone.
bool positionInCommand(const std::string& commandText, long& position);
// The common exit of every edit: a dialogue that went on to its end
// (Continue) is Done with the screen cleared; any other
// outcome stays as it is.
Next finishEdit(Program& program, Next dialogue);

}  // namespace menue
