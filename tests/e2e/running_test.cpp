// End to end, POSIX: running menu items, the pass-through to /bin/sh,
// directory changes at the prompt, and Ctrl+C while a started program runs.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class RunningTest : public E2eTest {
 protected:
  // Starts on a menu and waits until it is drawn and waiting.
  void startOn(std::string_view firstItem) {
    start();
    ASSERT_TRUE(shows(" " + std::string(firstItem) + " "));
    ASSERT_TRUE(showsPrompt(work()));
  }

  bool fileHolds(const fs::path& path, std::string_view bytes) {
    const auto contents = readFile(path);
    return contents && *contents == bytes;
  }
};

TEST_F(RunningTest, StatusOneItemRunsAndMenuReturns) {
  writeMenu("-menue-", "Start", {{"Anlegen", '1', {"touch erledigt.txt"}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Anlegen"));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 37) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually(
      [&] { return fs::exists(work() / "erledigt.txt") && session().screenContains(" Anlegen "); },
      "erledigt.txt written and the menu back"));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(RunningTest, TwoLineItemRunsThroughShell) {
  writeMenu("-menue-", "Start",
            {{"Zwei Zeilen", '1', {"echo eins > zwei.txt", "echo drei >> zwei.txt"}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Zwei Zeilen"));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 35) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  // The shell ran both lines, without the CRs of the LaunchScript.
  ASSERT_TRUE(eventually(
      [&] {
        return fileHolds(work() / "zwei.txt", "eins\ndrei\n") &&
               session().screenContains(" Zwei Zeilen ");
      },
      "zwei.txt holds both lines and the menu is drawn"));
  EXPECT_EQ(readFile(launchScript()),
            "@Echo off\r\necho eins > zwei.txt\r\necho drei >> zwei.txt\r\n");
  EXPECT_TRUE(endsWithEsc());
  EXPECT_FALSE(fs::exists(launchScript())) << "the orderly exit deletes the LaunchScript";
}

// Scripts run from their files: a TMP whose name has a blank beside a
// planted program of its first word, a multi-line item larger than one
// argument may be, and a .cmd file of the user's own whose first line is a
// command.
TEST_F(RunningTest, ScriptsRunFromTheirFilesWhateverTheirPathOrSize) {
  const fs::path shared = work().parent_path() / "x";
  useTemp(shared / "my tmp");
  writeFile(shared / "my", "#!/bin/sh\ntouch \"$0.lief\"\n");
  fs::permissions(shared / "my", fs::perms::owner_all);
  std::vector<std::string> large;
  while (large.size() < 1500) large.push_back("x=" + std::string(100, 'x'));
  large.push_back("echo fertig > gross.txt");
  writeFile(work() / "eigen.cmd", "echo eins > eigen.txt\necho zwei >> eigen.txt\n");
  writeMenu("-menue-", "Start", {{"Gross", '2', large}, {"Eigen", '1', {"./eigen.cmd"}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Gross"));

  ASSERT_TRUE(entered("echo hallo > hallo.txt"));
  ASSERT_TRUE(
      eventually([&] { return fileHolds(work() / "hallo.txt", "hallo\n"); }, "the typed line ran"));
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Gross "));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 37) == 0x71; }, "item 1 highlighted"));
  // Not waited for: the script's text is read before the menu goes on. What
  // it prints races the menu's clearing of the screen, so its last line
  // leaves a file instead.
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return fileHolds(work() / "gross.txt", "fertig\n"); },
                         "the last line of the script ran"));
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Gross "));
  ASSERT_TRUE(showsPrompt(work()));
  session().pressKey(Key::Down);
  ASSERT_TRUE(
      eventually([&] { return session().attribute(11, 37) == 0x71; }, "item 2 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return fileHolds(work() / "eigen.txt", "eins\nzwei\n"); },
                         "the user's script ran from its first line"));
  EXPECT_FALSE(fs::exists(shared / "my.lief"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(RunningTest, PassThroughShowsOutputUntilAKey) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Eins"));
  ASSERT_TRUE(entered("echo hallo"));
  ASSERT_TRUE(eventually(
      [&] {
        for (int row = 1; row <= 25; ++row) {
          if (session().trimmedRow(row) == "hallo") return !session().screenContains("Eins");
        }
        return false;
      },
      "a row showing just \"hallo\" on the cleared screen"));
  EXPECT_EQ(readFile(launchScript()), "@Echo off\r\necho hallo\r\n");
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Eins "));
  EXPECT_TRUE(hides("hallo"));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(RunningTest, CdIntoSubdirectoryShowsItsMenuAndHomeLabel) {
  writeMenu("-menue-", "Oben", {{"Eins", '1', {"true"}}});
  fs::create_directory(work() / "unter");
  writeMenu("-menue-", "Unten", {{"Unterpunkt", '1', {"true"}}}, work() / "unter");
  ASSERT_NO_FATAL_FAILURE(startOn("Eins"));
  EXPECT_FALSE(session().screenContains("--Home--"));
  ASSERT_TRUE(entered("cd unter"));
  ASSERT_TRUE(shows(" Unterpunkt "));
  EXPECT_TRUE(shows("--Home--"));
  ASSERT_TRUE(showsPrompt(work() / "unter"));
  ASSERT_TRUE(entered("cd!"));
  ASSERT_TRUE(shows(" Eins "));
  EXPECT_TRUE(hides("--Home--"));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(RunningTest, MissingDirectoryIsReportedAndMenuStays) {
  writeMenu("-menue-", "Oben", {{"Eins", '1', {"true"}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Eins"));
  ASSERT_TRUE(entered("cd fehlt"));
  ASSERT_TRUE(shows(" > Verzeichnis nicht gefunden. < "));
  // The program then waits for any key and shows the same directory's menu.
  session().sendBytes("x");
  ASSERT_TRUE(hides("Verzeichnis nicht gefunden"));
  ASSERT_TRUE(shows(" Eins "));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(RunningTest, CtrlCDuringWaitedChildLeavesMenuRunning) {
  // One process that announces itself and then blocks: a shell script with a
  // second process would leave a window in which Ctrl+C reaches only the shell.
  writeMenu("-menue-", "Start", {{"Warten", '1', {"sh -c \"echo gestartet; exec sleep 60\""}}});
  ASSERT_NO_FATAL_FAILURE(startOn("Warten"));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 37) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(shows("gestartet"));
  // The child has the terminal as the menu found it, as the terminal took it.
  EXPECT_FALSE(session().terminalMouseOn());
  EXPECT_TRUE(session().terminalCursorVisible());
  EXPECT_EQ(session().privateMode(BracketedPaste), false);
  // The terminal is in its normal mode for the child: Ctrl+C is SIGINT.
  session().sendBytes("\x03");
  ASSERT_TRUE(eventually(
      [&] {
        return !session().screenContains("gestartet") && session().screenContains(" Warten ");
      },
      "the menu drawn again after the interrupted child"));
  EXPECT_TRUE(session().terminalMouseOn());
  EXPECT_TRUE(session().running());
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
