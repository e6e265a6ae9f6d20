// ErrorNumbers from platform codes, checked by what went wrong rather than
// entry by entry, and their texts.
#include <gtest/gtest.h>

#include <vector>

#include "session/error_numbers.h"

namespace menue {
namespace {

TEST(ErrorMapping, WhatWentWrongDecidesTheNumber) {
  // The file exists (FileExists, AlreadyExists), not a directory name
  // (DirectoryNameInvalid), and a code the program has no name for (5000).
  using E = ErrorNumber;
  const struct {
    const char* what;
    std::vector<PlatformCode> codes;
    ErrorNumber number;
  } families[] = {
      {"success", {code::Success}, E::None},
      {"a missing file", {code::FileNotFound, code::NoMoreFiles}, E::FileNotFound},
      {"a missing directory", {code::PathNotFound}, E::PathNotFound},
      {"denied, shared or locked access",
       {code::AccessDenied, code::SharingViolation, code::LockViolation},
       E::PermissionDenied},
      {"a drive not ready", {code::NotReady}, E::DiskNotReady},
      {"a full disk", {code::DiskFull}, E::DiskFull},
      {"a rename across drives", {code::NotSameDevice}, E::RenameAcrossDisks},
      {"anything else",
       {code::InvalidFunction, code::FileExists, code::AlreadyExists, code::FilenameExcedRange,
        code::DirectoryNameInvalid, 5000},
       E::PathFileAccessError},
  };
  for (const auto& family : families) {
    for (PlatformCode c : family.codes) EXPECT_EQ(errorNumberFor(c), family.number) << family.what;
  }
}

TEST(ErrorMapping, EveryFailureGetsANumberWithAText) {
  for (PlatformCode c = 1; c <= 1300; ++c) {
    const ErrorNumber number = errorNumberFor(c);
    EXPECT_FALSE(errorText(number).empty())
        << "code " << c << " gives " << static_cast<int>(number);
  }
}

TEST(ErrorMapping, Texts) {
  EXPECT_EQ(errorText(ErrorNumber::FileNotFound), "File not found");
  EXPECT_EQ(errorText(ErrorNumber::InternalError), "Internal error");
  EXPECT_EQ(errorText(ErrorNumber::DiskNotReady), "Disk not ready");
  EXPECT_EQ(errorText(ErrorNumber::StringSpaceCorrupt), "String space corrupt");
  EXPECT_EQ(errorText(ErrorNumber{1}), "");
  EXPECT_EQ(errorText(ErrorNumber{73}), "");
}

}  // namespace
}  // namespace menue
