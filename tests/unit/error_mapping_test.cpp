// ErrorNumbers from platform codes, and their texts.
#include <gtest/gtest.h>

#include "session/error_numbers.h"

namespace menue {
namespace {

TEST(ErrorMapping, WindowsCodesToErrorNumbers) {
  const std::pair<PlatformCode, int> table[] = {
      {0, 0},    {2, 53},  {18, 53}, {3, 76},   {4, 67},   {5, 70},   {19, 70}, {32, 70}, {33, 70},
      {36, 70},  {6, 51},  {11, 51}, {12, 51},  {13, 51},  {22, 51},  {24, 51}, {7, 241}, {9, 241},
      {10, 241}, {8, 7},   {14, 7},  {15, 68},  {20, 68},  {17, 74},  {21, 71}, {23, 72}, {25, 72},
      {31, 72},  {34, 72}, {35, 72}, {38, 62},  {39, 61},  {112, 61}, {87, 5},  {1, 75},  {16, 75},
      {37, 75},  {40, 75}, {80, 75}, {183, 75}, {206, 75}, {267, 75},
  };
  for (const auto& [code, number] : table)
    EXPECT_EQ(static_cast<int>(errorNumberFor(code)), number) << code;
}

TEST(ErrorMapping, Texts) {
  EXPECT_EQ(errorText(ErrorNumber{53}), "File not found");
  EXPECT_EQ(errorText(ErrorNumber{51}), "Internal error");
  EXPECT_EQ(errorText(ErrorNumber{71}), "Disk not ready");
  EXPECT_EQ(errorText(ErrorNumber{242}), "String space corrupt");
  EXPECT_EQ(errorText(ErrorNumber{1}), "");
  EXPECT_EQ(errorText(ErrorNumber{73}), "");
}

}  // namespace
}  // namespace menue
