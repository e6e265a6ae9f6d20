// End to end, POSIX: a terminal smaller than the 80x25 the menu is laid out
// for shows one line saying so instead of a garbled menu; the menu shows as
// soon as the window is large enough, and ESC ends the program meanwhile.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class SmallWindowTest : public E2eTest {
 protected:
  PtySession& startAt(int rows, int columns) {
    writeMenu("-menue-", "Kopfzeile", {{"Eins", '1', {"true"}}, {"Zwei", '1', {"true"}}});
    return startSized(rows, columns);
  }
};

TEST_F(SmallWindowTest, NoticeUntilTheWindowIsLargeEnoughThenTheMenu) {
  startAt(15, 60);
  ASSERT_TRUE(showsAt(1, 1, "Fenster zu klein: 80x25 nötig, 60x15 vorhanden"));
  EXPECT_FALSE(session().screenContains(" Zwei "));
  // Keys and clicks meanwhile act on nothing nobody sees.
  session().sendBytes("x");
  session().click(8, 40);

  // Larger, but still too few rows: the notice says what is there now.
  session().resize(20, 100);
  EXPECT_TRUE(showsAt(1, 1, "Fenster zu klein: 80x25 nötig, 100x20 vorhanden"));

  session().resize(25, 80);
  EXPECT_TRUE(shows(" Zwei "));
  EXPECT_TRUE(showsAt(5, 36, "Kopfzeile"));
  EXPECT_FALSE(session().screenContains("Fenster zu klein"));
  EXPECT_TRUE(showsPrompt(work()));

  // Smaller again and back: the whole picture returns.
  session().resize(24, 80);
  EXPECT_TRUE(showsAt(1, 1, "Fenster zu klein: 80x25 nötig, 80x24 vorhanden"));
  session().resize(30, 90);
  EXPECT_TRUE(shows(" Zwei "));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(SmallWindowTest, EscEndsTheProgramWhileTheWindowIsTooSmall) {
  startAt(15, 60);
  ASSERT_TRUE(shows("Fenster zu klein"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
