// End to end, POSIX: keys that reach the real program in one read are all
// typed, in turn; keys typed while a started program runs are not.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class BurstTest : public E2eTest {};

TEST_F(BurstTest, ALineAndEnterInOneReadRunWhole) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  start();
  ASSERT_TRUE(shows(" Eins "));
  ASSERT_TRUE(showsPrompt(work()));
  session().sendBytes("printf %s burst > fx\x7f\r");
  ASSERT_TRUE(eventually([&] { return readFile(work() / "f") == "burst"; }, "f written"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(BurstTest, CursorKeysAndEnterInOneReadMoveEachTime) {
  writeMenu("-menue-", "Start",
            {{"Eins", '1', {"touch eins"}},
             {"Zwei", '1', {"touch zwei"}},
             {"Drei", '1', {"touch drei"}}});
  start();
  ASSERT_TRUE(shows(" Drei "));
  ASSERT_TRUE(showsPrompt(work()));
  session().sendBytes("\x1b[B\x1b[B\r");
  ASSERT_TRUE(eventually([&] { return fs::exists(work() / "zwei"); }, "item 2 run"));
  EXPECT_FALSE(fs::exists(work() / "eins"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(BurstTest, KeysTypedWhileAProgramRunsAreDropped) {
  // The item runs until the test lets it end; it reads nothing itself.
  writeMenu(
      "-menue-", "Start",
      {{"Warten", '1', {"sh -c \"touch laeuft; while [ ! -e weiter ]; do sleep 0.05; done\""}}});
  start();
  ASSERT_TRUE(shows(" Warten "));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 37) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return fs::exists(work() / "laeuft"); }, "item started"));
  session().sendBytes("touch verloren\r");
  // The terminal echoes it while the item has the terminal; the menu's
  // picture, painted anew once the item ended, covers the echo.
  ASSERT_TRUE(shows("touch verloren"));
  writeFile(work() / "weiter", "");
  ASSERT_TRUE(hides("touch verloren"));
  ASSERT_TRUE(shows(" Warten "));
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(typed("x"));
  EXPECT_FALSE(fs::exists(work() / "verloren"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
