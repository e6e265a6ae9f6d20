// Environment entries found by name: the environment's order, the case rule
// of the platform, the end of the block.
#include "session/environment_lookup.h"

#include <gtest/gtest.h>

namespace menue {
namespace {

TEST(EnvironmentLookupTest, NamesCompareByThePlatformsCaseRule) {
  const std::vector<std::string> entries = {"=C:=C:\\", "Visual=vim", "EDITOR=ed",
                                            "TEMP=/t",  "",           "TMP=/late"};
  EXPECT_EQ(environmentValue(entries, {"VISUAL"}, true), "vim");
  EXPECT_EQ(environmentValue(entries, {"VISUAL"}, false), std::nullopt);
  EXPECT_EQ(environmentValue(entries, {"EDITOR"}, false), "ed");
  // The first entry of any of the names, in the environment's order.
  EXPECT_EQ(environmentValue(entries, {"TMP", "TEMP"}, true), "/t");
  // Nothing after an empty entry, nothing for the hidden drive entries.
  EXPECT_EQ(environmentValue(entries, {"TMP"}, true), std::nullopt);
  EXPECT_EQ(environmentValue(entries, {"C:"}, true), std::nullopt);
}

}  // namespace
}  // namespace menue
