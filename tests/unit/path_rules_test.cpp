// Which paths start at a root, by the separator of the platform's rules.
#include <gtest/gtest.h>

#include "platform/platform.h"

namespace menue {
namespace {

TEST(PathRulesTest, AbsolutePathsFollowTheSeparator) {
  PathRules posix;
  posix.separator = '/';
  const PathRules windows;
  struct Case {
    const char* path;
    bool onPosix;
    bool onWindows;
  };
  const Case cases[] = {
      {"/home/a", true, true},   {"\\x", false, true},  {"C:\\x", false, true},
      {"C:/x", false, true},     {"C:x", false, false}, {"a/b", false, false},
      {"-menue-", false, false}, {"", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(posix.isAbsolute(c.path), c.onPosix);
    EXPECT_EQ(windows.isAbsolute(c.path), c.onWindows);
  }
}

}  // namespace
}  // namespace menue
