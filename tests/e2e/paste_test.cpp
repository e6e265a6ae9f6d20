// End to end, POSIX: text pasted into the prompt of the real program arrives
// whole, a line end in it runs nothing, and bracketed paste is on only while
// the menu has the terminal.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

std::string pasted(std::string_view text) {
  return "\x1b[200~" + std::string(text) + "\x1b[201~";
}

class PasteTest : public E2eTest {
 protected:
  void startOn(std::string_view firstItem) {
    start();
    ASSERT_TRUE(shows(" " + std::string(firstItem) + " "));
    ASSERT_TRUE(showsPrompt(work()));
    ASSERT_TRUE(eventually([&] { return session().privateMode(BracketedPaste) == true; },
                           "bracketed paste on"));
  }
};

TEST_F(PasteTest, ALongCommandArrivesWhole) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Eins"));
  const std::string word(300, 'w');
  const std::string command = "echo " + word + " > lang.txt";
  session().sendBytes(pasted(command));
  ASSERT_TRUE(shows(word + " > lang.txt_"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return readFile(work() / "lang.txt") == word + "\n"; },
                         "lang.txt written by the whole command"));
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Eins "));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(PasteTest, ALineEndInAPasteRunsNothing) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Eins"));
  session().sendBytes(pasted("touch eins.txt\rtouch zwei.txt\n"));
  ASSERT_TRUE(showsPrompt(work(), "touch eins.txt"));
  EXPECT_FALSE(fs::exists(work() / "eins.txt"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return fs::exists(work() / "eins.txt"); }, "eins.txt touched"));
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Eins "));
  EXPECT_FALSE(fs::exists(work() / "zwei.txt"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(PasteTest, AStartedProgramGetsTheTerminalWithoutIt) {
  // A single line starts its program directly: the shell is named so that
  // the started program waits for its answer with the terminal in hand.
  writeMenu("-menue-", "Start", {{"Lesen", '1', {"sh -c \"echo gestartet; read antwort\""}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Lesen"));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 37) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(shows("gestartet"));
  EXPECT_EQ(session().privateMode(BracketedPaste), false);
  session().sendBytes("ja\r");
  ASSERT_TRUE(shows(" Lesen "));
  ASSERT_TRUE(eventually([&] { return session().privateMode(BracketedPaste) == true; },
                         "bracketed paste on again"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
