// ErrorNumbers from platform codes, checked by what went wrong rather than
// entry by entry, and their texts.
#include <gtest/gtest.h>

#include <vector>

#include "exec/error_handling.h"

namespace menue {
namespace {

TEST(ErrorMapping, WhatWentWrongDecidesTheNumber) {
  // Codes without a name in code::: 33 lock violation, 80 and 183 the file
  // exists, 267 not a directory name.
  const struct {
    const char* what;
    std::vector<PlatformCode> codes;
    int number;
  } families[] = {
      {"success", {code::Success}, 0},
      {"a missing file", {code::FileNotFound, code::NoMoreFiles}, 53},
      {"a missing directory", {code::PathNotFound}, 76},
      {"denied, shared or locked access", {code::AccessDenied, code::SharingViolation, 33}, 70},
      {"a drive not ready", {code::NotReady}, 71},
      {"a full disk", {code::DiskFull}, 61},
      {"a rename across drives", {code::NotSameDevice}, 74},
      {"anything else", {code::InvalidFunction, 80, 183, code::FilenameExcedRange, 267, 5000}, 75},
  };
  for (const auto& family : families) {
    for (PlatformCode c : family.codes) EXPECT_EQ(errorNumberFor(c), family.number) << family.what;
  }
}

TEST(ErrorMapping, EveryFailureGetsANumberWithAText) {
  for (PlatformCode c = 1; c <= 1300; ++c) {
    const int number = errorNumberFor(c);
    EXPECT_FALSE(errorText(number).empty()) << "code " << c << " gives " << number;
  }
}

TEST(ErrorMapping, Texts) {
  EXPECT_EQ(errorText(53), "File not found");
  EXPECT_EQ(errorText(51), "Internal error");
  EXPECT_EQ(errorText(71), "Disk not ready");
  EXPECT_EQ(errorText(242), "String space corrupt");
  EXPECT_EQ(errorText(1), "");
  EXPECT_EQ(errorText(73), "");
}

}  // namespace
}  // namespace menue
