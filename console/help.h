// The help screen and the version line.
#pragma once

#include <string_view>

namespace menue {

struct Program;

inline constexpr std::string_view ProductLabel = "MENUE";

void showHelp(Program& program);
void showVersion(Program& program);

}  // namespace menue
