// End to end, POSIX: the least window, 80x24, shows the whole menu and runs
// items without ever scrolling; a smaller terminal shows one line saying so
// instead of a garbled menu; the menu shows as soon as the window is large
// enough, and ESC ends the program meanwhile.
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
  ASSERT_TRUE(showsAt(1, 1, "Fenster zu klein: 80x24 nötig, 60x15 vorhanden"));
  EXPECT_FALSE(session().screenContains(" Zwei "));
  // Keys and clicks meanwhile act on nothing nobody sees.
  session().sendBytes("x");
  session().click(8, 40);

  // Larger, but still too few rows: the notice says what is there now.
  session().resize(20, 100);
  EXPECT_TRUE(showsAt(1, 1, "Fenster zu klein: 80x24 nötig, 100x20 vorhanden"));

  session().resize(25, 80);
  EXPECT_TRUE(shows(" Zwei "));
  EXPECT_TRUE(showsAt(5, 36, "Kopfzeile"));
  EXPECT_FALSE(session().screenContains("Fenster zu klein"));
  EXPECT_TRUE(showsPrompt(work()));

  // Smaller again and back: the whole picture returns.
  session().resize(23, 80);
  EXPECT_TRUE(showsAt(1, 1, "Fenster zu klein: 80x24 nötig, 80x23 vorhanden"));
  session().resize(30, 90);
  EXPECT_TRUE(shows(" Zwei "));
  EXPECT_TRUE(endsWithEsc());
}

// Eighteen items and a second menu use every row from the header on row 2 to
// the footer on row 23 and the prompt on row 24, the last one: a terminal
// that scrolled once (a write into the bottom right cell, a line end on the
// last row, the output of a started program) would show them a row higher.
TEST_F(SmallWindowTest, TheLeastWindowShowsTheWholeMenuAndRunsAnItem) {
  std::vector<MenuItem> items = {{"Zahlen", '1', {"seq 1 60", "touch gelaufen"}}};
  for (int i = 2; i <= 18; ++i) items.push_back({"Punkt " + std::to_string(i), '1', {"true"}});
  writeMenu("-menue-", "Kopfzeile", items);
  writeMenu("-menue02-", "Zweites", {{"Eins", '1', {"true"}}});
  startSized(24, 80);
  const auto wholeMenu = [&] {
    return session().trimmedRow(1).empty() && session().cells(2, 36, 9) == "Kopfzeile" &&
           session().findRow(" Zahlen ") == 4 && session().findRow(" Punkt 18 ") == 21 &&
           session().cells(23, 33, 15) == "╚-Menü weiter-╝" &&
           !session().screenContains("Fenster zu klein");
  };
  ASSERT_TRUE(eventually(wholeMenu, "the whole menu on rows 2 to 23"));
  ASSERT_TRUE(showsPrompt(work()));
  // Lines do not wrap while the menu holds the terminal.
  EXPECT_EQ(session().privateMode(7), false);

  // A prompt line whose closing blank falls into the bottom right cell.
  ASSERT_TRUE(typed("true" + std::string(71 - work().string().size(), ' ')));
  ASSERT_TRUE(eventually(wholeMenu, "the menu still in place with the last column written"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return !session().screenContains("Kopfzeile"); }, "the line ran"));
  session().sendBytes("x");
  ASSERT_TRUE(eventually(wholeMenu, "the menu back after the line"));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(4, 38) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  // The item's sixty lines scroll the terminal; the menu comes back whole.
  ASSERT_TRUE(eventually([&] { return fs::exists(work() / "gelaufen"); }, "the item ran"));
  ASSERT_TRUE(eventually([&] { return wholeMenu() && !session().screenContains("60"); },
                         "the menu drawn whole again after the item's output"));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_EQ(session().privateMode(7), true) << "lines wrap again after the exit";
}

TEST_F(SmallWindowTest, EscEndsTheProgramWhileTheWindowIsTooSmall) {
  startAt(15, 60);
  ASSERT_TRUE(shows("Fenster zu klein"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
