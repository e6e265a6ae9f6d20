// The LaunchScript's path from the environment's TMP and TEMP entries.
#include <gtest/gtest.h>

#include "session/startup.h"

namespace menue {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> environment;
  std::string expected;
};

TEST(StartupEnvironment, LaunchScriptPathFromTheFirstMatchingEntry) {
  const PathRules windows;
  const Case cases[] = {
      {"TEMP before TMP", {"TEMP=C:\\A", "TMP=C:\\B"}, "C:\\A\\menue.cmd"},
      {"TMP before TEMP", {"Path=x", "TMP=C:\\B", "TEMP=C:\\A"}, "C:\\B\\menue.cmd"},
      {"lower case keeps the value's case", {"tmp=D:\\X"}, "D:\\X\\menue.cmd"},
      {"trailing backslash", {"TMP=C:\\Temp\\"}, "C:\\Temp\\menue.cmd"},
      {"empty value", {"TMP="}, "\\menue.cmd"},
      {"blanks around the equals sign", {"TMP = C:\\T"}, " C:\\T\\menue.cmd"},
      {"TEMP with a blank", {"TEMP =C:\\U"}, "C:\\U\\menue.cmd"},
      {"TMPDIR and TEMPLATE do not match", {"TMPDIR=/x", "TEMPLATE=y"}, "c:\\menue.cmd"},
      {"entries beginning with = are skipped",
       {"=C:=C:\\", "=ExitCode=0", "TEMP=E:\\"},
       "E:\\menue.cmd"},
      {"the walk ends at an empty entry", {"PATH=x", "", "TMP=C:\\B"}, "c:\\menue.cmd"},
      {"no entry", {}, "c:\\menue.cmd"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(launchScriptPathFor(c.environment, windows), c.expected) << c.name;
  }
}

TEST(StartupEnvironment, PosixSeparatorAndFallback) {
  PathRules posix;
  posix.separator = '/';
  posix.separatorsAtEnd = "/\\";
  posix.fallbackLaunchScriptPath = "/run/user/1000/menue.cmd";
  EXPECT_EQ(launchScriptPathFor({"TMPDIR=/var/tmp", "TMP=/tmp"}, posix), "/tmp/menue.cmd");
  EXPECT_EQ(launchScriptPathFor({"TMP=/tmp/"}, posix), "/tmp/menue.cmd");
  EXPECT_EQ(launchScriptPathFor({"TMP=C:\\T\\"}, posix), "C:\\T\\menue.cmd");
  EXPECT_EQ(launchScriptPathFor({"HOME=/root"}, posix), "/run/user/1000/menue.cmd");
}

}  // namespace
}  // namespace menue
