// End to end, POSIX: the menu screen in a real terminal, the cursor keys and
// mouse clicks moving the highlight, paging through the menus of a directory,
// the help screen and the version line.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

// Colour attributes as background * 16 + foreground.
constexpr int Normal = 0x17;     // light grey on blue
constexpr int Highlight = 0x71;  // blue on light grey

// Three items: rows 7, 10 and 13; the longest line is "(Menuausfuhrung)", so
// the frame runs from column 29 to 51 and from row 5 to row 16.
struct Row {
  int row;
  int column;  // of the blank in front of the text
  const char* cells;
};
constexpr Row Editor{7, 37, " Editor "};
constexpr Row Sicherung{10, 35, " Sicherung "};
constexpr Row Dritter{13, 36, " Dritter "};

class MenuScreenTest : public E2eTest {
 protected:
  void SetUp() override {
    writeMenu(
        "-menue-", "Werkzeuge",
        {{"Editor", '1', {"true"}}, {"Sicherung", '1', {"true"}}, {"Dritter", '1', {"true"}}});
  }

  void startOnMenu() {
    start();
    ASSERT_TRUE(showsAt(Editor.row, Editor.column, Editor.cells));
    ASSERT_TRUE(showsPrompt(work()));
    ASSERT_TRUE(eventually([&] { return session().mouseReportingOn(); }, "mouse reporting on"));
  }

  // Which of the three items are drawn highlighted, as "..H" and the like.
  std::string highlights() {
    std::string marks;
    for (const Row& item : {Editor, Sicherung, Dritter}) {
      const int attr = session().attribute(item.row, item.column + 1);
      marks += attr == Highlight ? 'H' : attr == Normal ? '.' : '?';
    }
    return marks;
  }

  ::testing::AssertionResult highlightIs(const std::string& marks) {
    return eventually([&] { return highlights() == marks; }, "the highlight shows as " + marks);
  }
};

TEST_F(MenuScreenTest, SampleMenuDrawnWithFrameHeaderAndColours) {
  ASSERT_NO_FATAL_FAILURE(startOnMenu());
  PtySession& s = session();
  std::string rule;
  for (int i = 0; i < 21; ++i) rule += "═";
  EXPECT_EQ(s.cells(5, 29, 23), "╔" + rule + "╗");
  EXPECT_EQ(s.cells(16, 29, 23), "╚" + rule + "╝");
  for (int row = 6; row <= 15; ++row) {
    EXPECT_EQ(s.cells(row, 29, 1), "║") << "row " << row;
    EXPECT_EQ(s.cells(row, 51, 1), "║") << "row " << row;
  }
  EXPECT_EQ(s.cells(4, 36, 9), "Werkzeuge");
  EXPECT_EQ(s.cells(Sicherung.row, Sicherung.column, 11), Sicherung.cells);
  EXPECT_EQ(s.cells(Dritter.row, Dritter.column, 9), Dritter.cells);
  EXPECT_EQ(highlights(), "...");
  // The whole screen is blue, not only the frame.
  EXPECT_EQ(s.attribute(1, 1), Normal);
  EXPECT_EQ(s.attribute(25, 80), Normal);
  EXPECT_FALSE(s.screenContains("--Home--"));
  EXPECT_FALSE(s.screenContains("weiter"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(MenuScreenTest, CursorKeysMoveHighlightWithWrapAround) {
  ASSERT_NO_FATAL_FAILURE(startOnMenu());
  session().pressKey(Key::Down);
  ASSERT_TRUE(highlightIs("H.."));
  session().pressKey(Key::Up);
  ASSERT_TRUE(highlightIs("..H"));
  session().pressKey(Key::Down);
  ASSERT_TRUE(highlightIs("H.."));
  session().pressKey(Key::Down);
  ASSERT_TRUE(highlightIs(".H."));
  EXPECT_TRUE(endsWithEsc());
}

// Each click here reaches the program as press and release in one read, as a
// touchpad tap or a click over a slow link does: the pass after the press
// discards the pending release, and the next click must count all the same.
TEST_F(MenuScreenTest, EachClickHighlightsTheClickedRow) {
  ASSERT_NO_FATAL_FAILURE(startOnMenu());
  session().click(Sicherung.row, 40);
  ASSERT_TRUE(highlightIs(".H."));
  // The column does not matter, nor does the button.
  session().click(Dritter.row, 3, MouseButton::Right);
  ASSERT_TRUE(highlightIs("..H"));
  // A click above the items highlights nothing.
  session().click(2, 40);
  ASSERT_TRUE(highlightIs("..."));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(MenuScreenTest, BlankAndFooterClickPageThroughMenus) {
  writeMenu("-menue02-", "Zweites", {{"Nummer zwei", '1', {"true"}}});
  ASSERT_NO_FATAL_FAILURE(startOnMenu());
  // The footer below the frame says there are more menus.
  EXPECT_EQ(session().cells(17, 33, 15), "╚-Menü weiter-╝");
  session().sendBytes(" ");
  ASSERT_TRUE(showsAt(8, 34, " Nummer zwei "));
  EXPECT_TRUE(shows("Zweites"));
  EXPECT_FALSE(session().screenContains("Editor"));
  session().sendBytes(" ");
  ASSERT_TRUE(showsAt(Editor.row, Editor.column, Editor.cells));
  // A click on the footer row pages as well.
  session().click(17, 40);
  ASSERT_TRUE(showsAt(8, 34, " Nummer zwei "));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(MenuScreenTest, QuestionMarkShowsHelpUntilAKey) {
  ASSERT_NO_FATAL_FAILURE(startOnMenu());
  ASSERT_TRUE(entered("?"));
  ASSERT_TRUE(eventually(
      [&] {
        return session().trimmedRow(2) ==
               "     Menüprogramm zur schnellen einfachen erstellung von Menüs.";
      },
      "the help's first line on row 2"));
  EXPECT_EQ(session().trimmedRow(6), "  mit Menü+ wird ein Menüpunkt erstellt.");
  EXPECT_EQ(session().trimmedRow(23),
            "  Infos zur manuellen Bearbeitung (struktur) sind in der Datei enthalten.");
  EXPECT_FALSE(session().screenContains("Editor"));
  session().sendBytes("x");
  ASSERT_TRUE(showsAt(Editor.row, Editor.column, Editor.cells));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(MenuScreenTest, VersionLineUntilAKey) {
  ASSERT_NO_FATAL_FAILURE(startOnMenu());
  ASSERT_TRUE(entered("version"));
  ASSERT_TRUE(eventually(
      [&] { return session().rowText(PromptRow).find(" ver 1.1 ") != std::string::npos; },
      "the version line on row 24"));
  EXPECT_EQ(session().cells(Editor.row, Editor.column, 8), Editor.cells);
  session().sendBytes("x");
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(MenuScreenTest, ControlBytesInMenuFileAreShownAsGlyphs) {
  // An ESC sequence in a display text must not reach the terminal as one:
  // it would clear the screen here.
  writeMenu("-menue-", "Kopf", {{"\x1b[2JRot", '1', {"true"}}, {"Zweiter", '1', {"true"}}});
  start();
  ASSERT_TRUE(shows("←[2JRot"));
  EXPECT_TRUE(shows("Zweiter"));
  EXPECT_TRUE(shows("Kopf"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(MenuScreenTest, Utf8TextsShownAsThemselvesInAStraightFrame) {
  // Wide characters take two columns each: a frame counted in characters
  // would cut into the longest line or leave its right side crooked.
  const std::string lodz = "Nach \u0141\u00F3d\u017A wechseln";
  const std::string euro = "Preis in \u20AC zeigen";
  const std::string japanese = "\u65E5\u672C\u8A9E\u65E5\u672C\u8A9E\u65E5\u672C\u8A9E Ausgabe";
  writeMenu("-menue-", "Kasse \u20AC",
            {{lodz, '1', {"true"}}, {euro, '1', {"true"}}, {japanese, '1', {"true"}}});
  start();
  ASSERT_TRUE(shows(japanese));
  ASSERT_TRUE(showsPrompt(work()));
  PtySession& s = session();
  for (const std::string& text : {lodz, euro, japanese, std::string("Kasse \u20AC")}) {
    EXPECT_TRUE(s.screenContains(text)) << text;
  }
  const int top = s.findRow("\u2554");
  const int bottom = s.findRow("\u255A");
  ASSERT_GT(top, 0);
  ASSERT_GT(bottom, top);
  int left = 0;
  int right = 0;
  for (int column = 1; column <= 80; ++column) {
    if (s.cells(top, column, 1) == "\u2554") left = column;
    if (s.cells(top, column, 1) == "\u2557") right = column;
  }
  ASSERT_GT(right, left);
  EXPECT_EQ(s.cells(bottom, right, 1), "\u255D");
  for (int row = top + 1; row < bottom; ++row) {
    EXPECT_EQ(s.cells(row, left, 1), "\u2551") << "row " << row;
    EXPECT_EQ(s.cells(row, right, 1), "\u2551") << "row " << row;
  }
  // The wide line is centred by its 26 columns, its blanks inside the frame.
  const int row = s.findRow(japanese);
  const std::string line = s.cells(row, left + 1, right - left - 1);
  EXPECT_NE(line.find(" " + japanese + " "), std::string::npos) << line;
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
