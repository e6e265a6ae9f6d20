// Command lines on POSIX: words, LaunchScript names and the script's shell
// text; the errno mapping and the path rules.
#include <gtest/gtest.h>

#include <cerrno>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/path_rules.h"
#include "platform/posix/processes/command_line.h"

namespace menue {
namespace {

using Words = std::vector<std::string>;

TEST(PosixCommandLine, SplitsIntoWords) {
  EXPECT_EQ(splitWords("edit file.txt"), (Words{"edit", "file.txt"}));
  EXPECT_EQ(splitWords("  a \t b  "), (Words{"a", "b"}));
  EXPECT_EQ(splitWords("\"a b\" c"), (Words{"a b", "c"}));
  EXPECT_EQ(splitWords("x\"y z\"w"), (Words{"xy zw"}));
  EXPECT_EQ(splitWords("\"\" x"), (Words{"", "x"}));
  EXPECT_EQ(splitWords("\"open end"), (Words{"open end"}));
  EXPECT_EQ(splitWords(""), Words{});
}

TEST(PosixCommandLine, LaunchScriptNames) {
  EXPECT_TRUE(namesScript("/tmp/menue-0/menue.cmd"));
  EXPECT_TRUE(namesScript("RUN.CMD"));
  EXPECT_TRUE(namesScript("x.Cmd"));
  EXPECT_FALSE(namesScript(".cmd"));
  EXPECT_FALSE(namesScript("a.cmdx"));
  EXPECT_FALSE(namesScript("cmd"));
}

TEST(PosixCommandLine, ShellTextLeavesOutAnEchoOffFirstLineAndCrOfCrLf) {
  EXPECT_EQ(shellText("@Echo off\r\nls -l\r\necho a\rb\r\n"), "ls -l\necho a\rb\n");
  EXPECT_EQ(shellText("@Echo off\r\n\r\n"), "\n");
  EXPECT_EQ(shellText("@ECHO OFF"), "");
  EXPECT_EQ(shellText("@Echo off\nx\r"), "x\r");
  // A script of the user's own keeps a first line that is not that one.
  EXPECT_EQ(shellText("only line"), "only line");
  EXPECT_EQ(shellText("echo eins\r\necho zwei\r\n"), "echo eins\necho zwei\n");
  EXPECT_EQ(shellText("@echo off > log\nx\n"), "@echo off > log\nx\n");
}

TEST(PosixErrnoCode, FailuresReadAsTheWindowsCodeOfTheSameFailure) {
  const struct {
    const char* what;
    std::vector<int> errors;
    PlatformCode code;
  } families[] = {
      {"no error", {0}, code::Success},
      {"a missing file", {ENOENT}, code::FileNotFound},
      {"a path through a file", {ENOTDIR}, code::PathNotFound},
      // A directory where a file is meant is refused on Windows the same way.
      {"a refused operation", {EACCES, EPERM, EROFS, EBUSY, ETXTBSY, EISDIR}, code::AccessDenied},
      {"a full disk or quota", {ENOSPC, EDQUOT}, code::DiskFull},
      {"too many open files", {EMFILE, ENFILE}, code::TooManyOpenFiles},
      {"no memory", {ENOMEM}, code::NotEnoughMemory},
      {"a move to another file system", {EXDEV}, code::NotSameDevice},
      {"a device error", {EIO}, code::GeneralFailure},
      {"a name too long", {ENAMETOOLONG}, code::FilenameExcedRange},
      {"an existing name", {EEXIST}, 183},  // ERROR_ALREADY_EXISTS
      {"anything else", {ELOOP, EINVAL}, code::InvalidFunction},
  };
  for (const auto& family : families) {
    for (int error : family.errors) {
      EXPECT_EQ(platformCodeFromErrno(error), family.code) << family.what << ": " << error;
    }
  }
  // A failure never reads as success, even when errno was not set.
  for (int error = 1; error < 200; ++error) EXPECT_NE(platformCodeFromErrno(error), code::Success);
  errno = 0;
  EXPECT_EQ(lastErrorCode(), code::InvalidFunction);
}

TEST(PosixPathRules, FallbackScriptAndLimits) {
  PathRules rules = posixPathRules("/run/user/1000", 1000, 2097152, 42);
  EXPECT_EQ(rules.separator, '/');
  EXPECT_EQ(rules.separatorsAtEnd, "/\\");
  EXPECT_TRUE(rules.backslashToSlash);
  EXPECT_EQ(rules.launchScriptName, "menue-42.cmd");
  EXPECT_EQ(rules.fallbackLaunchScriptPath, "/run/user/1000/menue-42.cmd");
  EXPECT_EQ(rules.commandLineLimit, 128u * 1024 - 1);
  EXPECT_EQ(posixPathRules("/run/user/7/", 7, 65536, 9).fallbackLaunchScriptPath,
            "/run/user/7/menue-9.cmd");
  EXPECT_EQ(posixPathRules("/x", 7, 65536, 9).commandLineLimit, 16384u);
  EXPECT_EQ(posixPathRules("", 1000, -1, 9).fallbackLaunchScriptPath,
            "/tmp/menue-1000/menue-9.cmd");
  EXPECT_EQ(posixPathRules(nullptr, 0, -1, 1).fallbackLaunchScriptPath, "/tmp/menue-0/menue-1.cmd");
}

}  // namespace
}  // namespace menue
