// The allow list: exactly the bytes allowed under exactly their path; a
// list that cannot be trusted allows nothing.
#include "session/allowed_menus.h"

#include <gtest/gtest.h>

#include "menufile/menu_parse.h"
#include "platform/virtual/virtual_platform.h"

namespace menue {
namespace {

constexpr std::string_view Menu =
    "Kopfzeile=K\r\n(Menuanzeige)\r\nEins\r\n(Menuausfuhrung)\r\n\t1echo eins\r\n\t\r\n";

TEST(AllowedMenusTest, ExactlyTheBytesUnderExactlyThePath) {
  VirtualPlatform machine;
  AllowedMenus allowed(machine.files, machine.environment, machine.platform().rules);
  const std::string menu(Menu);
  EXPECT_FALSE(allowed.allows("C:\\t\\-menue-", menu));
  ASSERT_EQ(allowed.allow("C:\\t\\-menue-", menu), code::Success);
  ASSERT_EQ(allowed.allow("C:\\t u\\%20\n-menue-", "anders"), code::Success);
  EXPECT_TRUE(allowed.allows("C:\\t\\-menue-", menu));
  EXPECT_FALSE(allowed.allows("C:\\t\\-menue-", menu + " "));
  EXPECT_FALSE(allowed.allows("C:\\t\\-menue-", menu.substr(1)));
  EXPECT_FALSE(allowed.allows("C:\\t\\-menue02-", menu));
  EXPECT_FALSE(allowed.allows("C:\\t\\-menue", menu));
  // Blanks, newlines and '%' stay apart from what they would be spelled as.
  EXPECT_TRUE(allowed.allows("C:\\t u\\%20\n-menue-", "anders"));
  EXPECT_FALSE(allowed.allows("C:\\t u\\ \n-menue-", "anders"));
  EXPECT_FALSE(allowed.allows("C:\\t%20u\\%20\n-menue-", "anders"));
  // Allowed again after a change: the new bytes, and the old ones no more.
  ASSERT_EQ(allowed.allow("C:\\t\\-menue-", menu + "x"), code::Success);
  EXPECT_FALSE(allowed.allows("C:\\t\\-menue-", menu));
  EXPECT_TRUE(allowed.allows("C:\\t\\-menue-", menu + "x"));
  bool was = false;
  ASSERT_EQ(allowed.deny("C:\\t\\-menue-", was), code::Success);
  EXPECT_TRUE(was);
  EXPECT_FALSE(allowed.allows("C:\\t\\-menue-", menu + "x"));
  EXPECT_TRUE(allowed.allows("C:\\t u\\%20\n-menue-", "anders"));
  ASSERT_EQ(allowed.deny("C:\\t\\-menue-", was), code::Success);
  EXPECT_FALSE(was);

  // A list someone else may have written allows nothing, and is not written.
  machine.files.setTrust(allowed.storePath(), FileTrust::GroupMayWrite);
  EXPECT_FALSE(allowed.allows("C:\\t u\\%20\n-menue-", "anders"));
  EXPECT_EQ(allowed.allow("C:\\t\\-menue-", menu), code::AccessDenied);
}

TEST(AllowedMenusTest, WhichTrustAnAllowedMenuTurnsIntoTrusted) {
  VirtualPlatform machine;
  AllowedMenus allowed(machine.files, machine.environment, machine.platform().rules);
  const std::string path = "C:\\t\\-menue-";
  MenuModel model;
  parseMenuText(model, std::string(Menu));
  ASSERT_EQ(allowed.allow(path, Menu), code::Success);
  struct Case {
    FileTrust trust;
    bool whole;
    FileTrust result;
    bool allowedFlag;
  };
  const Case cases[] = {
      {FileTrust::OtherOwner, true, FileTrust::Trusted, true},
      {FileTrust::GroupMayWrite, true, FileTrust::Trusted, true},
      {FileTrust::GroupUnlisted, true, FileTrust::Trusted, true},
      // Anyone could have written what is read now, whatever was allowed.
      {FileTrust::OthersMayWrite, true, FileTrust::OthersMayWrite, false},
      // Only the start of the file was read: its bytes are not all known.
      {FileTrust::OtherOwner, false, FileTrust::OtherOwner, false},
      {FileTrust::Trusted, true, FileTrust::Trusted, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.trust));
    model.whole = c.whole;
    bool flag = true;
    EXPECT_EQ(allowed.trustOf(path, c.trust, model, flag), c.result);
    EXPECT_EQ(flag, c.allowedFlag);
  }
}

}  // namespace
}  // namespace menue
