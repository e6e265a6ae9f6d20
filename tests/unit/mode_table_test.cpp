// The mode table against the places that must agree with it: one row for
// every action the command line reads, and the bash completion offering
// exactly the options the table names for the user.
#include "modes/mode_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace menue {
namespace {

TEST(ModeTableTest, EveryActionHasOneRow) {
  for (int action = 0; action <= static_cast<int>(CommandAction::Error); ++action) {
    SCOPED_TRACE(action);
    const auto rows = std::count_if(modeTable().begin(), modeTable().end(), [&](const Mode& mode) {
      return mode.action == static_cast<CommandAction>(action);
    });
    EXPECT_EQ(rows, 1);
  }
}

TEST(ModeTableTest, TheCompletionOffersTheTablesOptions) {
  std::ifstream file(MENUE_COMPLETION_FILE);
  ASSERT_TRUE(file) << MENUE_COMPLETION_FILE;
  std::vector<std::string> offered;
  const std::string start = "_menue_options=(";
  for (std::string line; std::getline(file, line);) {
    if (!line.starts_with(start)) continue;
    std::istringstream words(line.substr(start.size(), line.find(')') - start.size()));
    for (std::string word; words >> word;) offered.push_back(word);
  }
  std::vector<std::string> named;
  for (const Mode& mode : modeTable()) {
    if (mode.hidden) continue;
    if (!mode.option.empty()) named.emplace_back(mode.option);
    if (!mode.modifier.empty()) named.emplace_back(mode.modifier);
  }
  std::sort(offered.begin(), offered.end());
  std::sort(named.begin(), named.end());
  EXPECT_EQ(offered, named);
}

}  // namespace
}  // namespace menue
