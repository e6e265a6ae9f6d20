// Failure texts of the screen expectations: the rows as expected and as
// found, one above the other, with the first differing column marked.
#pragma once

#include <string>
#include <vector>

namespace menue::scenario {

// A screen row (1-based) as expected and as found, both console bytes.
struct RowPair {
  int row = 0;
  std::string expected;
  std::string actual;
};

// The rows that differ (trailing blanks aside) as a "-" expected and a "+"
// actual line, each with the equal rows beside it as unmarked context; empty
// when every row is equal.
std::string rowsDiff(const std::vector<RowPair>& rows);

// Every row of a screen, numbered, for the failures that are not about cells.
std::string screenPicture(const std::vector<std::string>& rows);

}  // namespace menue::scenario
