// The command table's order: each row's example line is carried out by that
// row, not by one above it that takes it too.
#include <gtest/gtest.h>

#include <string>

#include "interactive/command_table.h"

namespace menue {
namespace {

TEST(CommandTable, EachExampleReachesItsOwnRowFirst) {
  ASSERT_GT(commandRows(), 1u);
  for (std::size_t row = 0; row < commandRows(); ++row) {
    const std::string example(commandExample(row));
    EXPECT_EQ(commandRowOf(example, true), row) << example;
  }
}

TEST(CommandTable, WithoutAMenuTheEditsGoToTheCommandInterpreter) {
  const std::size_t passThrough = commandRows() - 1;
  // A new menu needs none shown; the edits of the menu shown do.
  EXPECT_EQ(commandRowOf("MEN\x9A++", false), commandRowOf("MEN\x9A++", true));
  for (const std::string line : {"Men\x81+3", "Men\x81*2+5", "Men\x81--", "Men\x81-2"}) {
    EXPECT_EQ(commandRowOf(line, false), passThrough) << line;
  }
  EXPECT_EQ(commandRowOf("", true), passThrough);
}

}  // namespace
}  // namespace menue
