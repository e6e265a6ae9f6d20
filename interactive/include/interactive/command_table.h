// The command table: which action a typed line starts, as declared rows
// tested from the top; the first row that matches acts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "session/next.h"

namespace menue {

struct Program;

// Carries out the (trimmed) InputLine.
Next dispatchLine(Program& program);

// The rows as data: how many, each row's example line, and the row a line
// reaches (with or without a menu shown, as the edit rows need one).
std::size_t commandRows();
std::string_view commandExample(std::size_t row);
std::size_t commandRowOf(const std::string& line, bool menuShown);

}  // namespace menue
