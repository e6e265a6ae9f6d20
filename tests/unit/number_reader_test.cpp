// The number reader of the edit commands: what a text begins with, and the
// rounding of halves to the even neighbour.
#include <gtest/gtest.h>

#include <string>

#include "menufile/number_reader.h"

namespace menue {
namespace {

TEST(NumberReader, ReadsTheNumberATextBeginsWith) {
  const struct {
    std::string text;
    long whole;
  } cases[] = {
      {"3", 3},
      {"1.5", 2},
      {"0.7", 1},
      {"2.5", 2},
      {"3.5", 4},
      {"  3,5", 3},
      {"+5", 5},
      {"-2", -2},
      {"+ 5", 0},
      {"- 2", 0},
      {".5", 0},
      {"1.51", 2},
      {"+.6", 1},
      {"-.6", -1},
      {"-2.5", -2},
      {"123", 123},
      {"12a", 12},
      {"1.2.3", 1},
      {"abc", 0},
      {"", 0},
      {"\t\n 7", 7},
      {".", 0},
      {"+", 0},
      {"--1", 0},
      {"5.", 5},
      {"2+5", 2},
      {"+5 x", 5},
      {"1e3", 1},
      {"99999999999999999999", 1000000000},
      {"0." + std::string(400, '0') + "1", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(readWholeNumber(c.text), c.whole);
  }
  EXPECT_DOUBLE_EQ(readNumber("  -1.25xyz"), -1.25);
  // The caller cuts "1234" after the command word to its first three digits.
  EXPECT_EQ(readWholeNumber(std::string("1234").substr(0, 3)), 123);
}

TEST(NumberReader, RoundsHalvesToEven) {
  EXPECT_EQ(roundHalfEven(0.5), 0);
  EXPECT_EQ(roundHalfEven(1.5), 2);
  EXPECT_EQ(roundHalfEven(-0.5), 0);
  EXPECT_EQ(roundHalfEven(-1.5), -2);
  EXPECT_EQ(roundHalfEven(2.4999), 2);
  EXPECT_EQ(roundHalfEven(1e300), 1000000000);
}

}  // namespace
}  // namespace menue
