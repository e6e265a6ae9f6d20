// End to end, POSIX: the modes for the shell. --run under a terminal and
// without one gives the item's exit status, runs a one-line item through
// /bin/sh where its line needs the shell and names what could not run (the
// shell's messages naming menue); --edit with scripted editors (unchanged,
// fixed, still broken then discarded, changed meanwhile); the menu's edits
// with a kill -9 between them leave history and MenuFile whole.
#include <sys/wait.h>

#include <cstdlib>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class ShellModesTest : public E2eTest {
 protected:
  struct Run {
    int status = -1;
    std::string err;
  };

  Run runToEnd(const std::vector<std::string>& arguments) {
    PtySession& session = startWithArguments(arguments);
    Run run;
    run.status = session.waitForExit(within(Patience)).value_or(-1);
    run.err = standardError();
    return run;
  }

  fs::path stateDirectory() const { return work().parent_path() / ".local/state/menue"; }

  // An editor: a shell script run with the copy as $1.
  void useEditor(const std::string& name, const std::string& body) {
    const fs::path script = work().parent_path() / name;
    writeFile(script, "#!/bin/sh\n" + body);
    fs::permissions(script, fs::perms::owner_all);
    addEnvironment("EDITOR=" + script.string());
  }

  std::string menuBytes() { return readFile(work() / "-menue-").value_or("<none>"); }
  std::size_t historyEntries() {
    std::size_t count = 0;
    if (fs::exists(stateDirectory())) {
      for (const auto& entry : fs::directory_iterator(stateDirectory())) {
        count += entry.path().filename().string().find("bearbeiten") == std::string::npos;
      }
    }
    return count;
  }
};

TEST_F(ShellModesTest, RunGivesTheItemsExitStatusUnderATerminalAndWithout) {
  writeMenu("-menue-", "Lauf",
            {{"Sieben", '1', {"sh -c \"exit 7\""}},
             {"Zwei Zeilen", '2', {"echo zwei > aus.txt", "exit 5"}},
             {"Hoch", '1', {"cd .."}}});
  EXPECT_EQ(runToEnd({"--run", "1"}).status, 7);
  EXPECT_EQ(runToEnd({"--run", "2"}).status, 5);
  EXPECT_EQ(readFile(work() / "aus.txt"), "zwei\n");
  EXPECT_FALSE(fs::exists(launchScript()));
  const Run cd = runToEnd({"--run", "3"});
  EXPECT_EQ(cd.status, 2);
  EXPECT_EQ(cd.err,
            "menue: -menue-: wechselt das Verzeichnis: nur im Men\xC3\xBC m\xC3\xB6glich\n");
  EXPECT_EQ(runToEnd({"--run", "4"}).status, 2);

  // From a script: no terminal at all.
  fs::remove(work() / "aus.txt");
  const std::string command = "cd '" + work().string() + "' && env -i PATH=/usr/bin:/bin TMP='" +
                              temp().string() + "' '" + program().string() +
                              "' --run 2 </dev/null >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 5);
  EXPECT_EQ(readFile(work() / "aus.txt"), "zwei\n");
}

TEST_F(ShellModesTest, EditUnchangedAndFixed) {
  writeMenu("-menue-", "Alt", {{"Eins", '1', {"true"}}});
  const std::string before = menuBytes();
  useEditor("unveraendert", "exit 0\n");
  EXPECT_EQ(runToEnd({"--edit"}).status, 0);
  EXPECT_TRUE(shows("Nichts ge\xC3\xA4ndert."));
  EXPECT_EQ(menuBytes(), before);
  EXPECT_EQ(historyEntries(), 0u);
}

TEST_F(ShellModesTest, EditInstallsASoundCopy) {
  writeMenu("-menue-", "Alt", {{"Eins", '1', {"true"}}});
  useEditor("neu", "sed -i 's/Alt/Neu/' \"$1\"\n");
  EXPECT_EQ(runToEnd({"--edit"}).status, 0);
  EXPECT_EQ(menuBytes(), menuFileText("Neu", {{"Eins", '1', {"true"}}}));
  EXPECT_EQ(historyEntries(), 1u);
  // No copy is left behind.
  for (const auto& entry : fs::directory_iterator(stateDirectory())) {
    EXPECT_EQ(entry.path().filename().string().find("bearbeiten"), std::string::npos);
  }
}

TEST_F(ShellModesTest, EditStillBrokenThenDiscarded) {
  writeMenu("-menue-", "Alt", {{"Eins", '1', {"true"}}});
  const std::string before = menuBytes();
  useEditor("kaputt", "sed -i 's/(Menuanzeige)/(Menu)/' \"$1\"\n");
  startWithArguments({"--edit"});
  ASSERT_TRUE(shows("(b)earbeiten, trotzdem (i)nstallieren oder (v)erwerfen?"));
  EXPECT_TRUE(shows("-menue-:1: Fehler: (Menuanzeige) fehlt"));
  session().sendBytes("b\r");
  ASSERT_TRUE(eventually(
      [&] {
        const std::string screen = session().screenText();
        return screen.find("(v)erwerfen?") != screen.rfind("(v)erwerfen?");
      },
      "asked again"));
  session().sendBytes("v\r");
  EXPECT_EQ(session().waitForExit(within(Patience)), 1);
  EXPECT_EQ(menuBytes(), before);
  EXPECT_EQ(historyEntries(), 0u);
}

TEST_F(ShellModesTest, EditAfterAChangeMeanwhileKeepsTheCopy) {
  writeMenu("-menue-", "Alt", {{"Eins", '1', {"true"}}});
  const std::string meanwhile = menuFileText("Anders", {{"Zwei", '1', {"true"}}});
  writeFile(work().parent_path() / "anders", meanwhile);
  useEditor("zugleich", "sed -i 's/Alt/Neu/' \"$1\"\ncp ../anders ./-menue-\n");
  const Run run = runToEnd({"--edit"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(menuBytes(), meanwhile);
  const std::string kept = "Die Kopie bleibt: ";
  ASSERT_NE(run.err.find(kept), std::string::npos) << run.err;
  std::string copy = run.err.substr(run.err.find(kept) + kept.size());
  copy.pop_back();
  EXPECT_EQ(readFile(copy), menuFileText("Neu", {{"Eins", '1', {"true"}}}));
}

// A state directory that cannot be made (its parent is a file, which stops
// root too) stops no edit of the menu; --history later says where its
// history is missing.
TEST_F(ShellModesTest, AnUnwritableHistoryStopsNoEdit) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true 1"}}, {"Zwei", '1', {"true 2"}}});
  start();
  ASSERT_TRUE(showsAt(8, 38, " Eins "));
  ASSERT_TRUE(entered("Menü*1+2"));
  ASSERT_TRUE(showsAt(8, 38, " Zwei "));
  EXPECT_TRUE(endsWithEsc());
  const fs::path blocked = work().parent_path() / "blockiert";
  writeFile(blocked, "");
  addEnvironment("XDG_STATE_HOME=" + blocked.string());
  start();
  ASSERT_TRUE(showsAt(8, 38, " Zwei "));
  ASSERT_TRUE(entered("Menü*1+2"));
  ASSERT_TRUE(showsAt(8, 38, " Eins "));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_EQ(historyEntries(), 1u);
  // The later of the two (without XDG_STATE_HOME) is the one missing.
  addEnvironment("XDG_STATE_HOME=" + (work().parent_path() / ".local/state").string());
  EXPECT_EQ(runToEnd({"--history"}).status, 0);
  EXPECT_TRUE(shows("ohne Verlauf oder von einem anderen Programm ge\xC3\xA4ndert"));
}

TEST_F(ShellModesTest, AKillBetweenMenuEditsLeavesHistoryAndMenuFileWhole) {
  writeMenu("-menue-", "Start",
            {{"Eins", '1', {"true 1"}}, {"Zwei", '1', {"true 2"}}, {"Drei", '1', {"true 3"}}});
  start();
  ASSERT_TRUE(showsAt(7, 38, " Eins "));
  ASSERT_TRUE(entered("Menü*1+2"));
  ASSERT_TRUE(showsAt(7, 38, " Zwei "));
  session().sendSignal(SIGKILL);
  session().waitForExit(within(Patience));
  start();
  ASSERT_TRUE(showsAt(7, 38, " Zwei "));
  ASSERT_TRUE(entered("Menü-3"));
  ASSERT_TRUE(hides(" Drei "));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_EQ(historyEntries(), 2u);

  // Both versions listed in order, nothing missing, and undone one by one.
  const Run history = runToEnd({"--history"});
  EXPECT_EQ(history.status, 0);
  EXPECT_TRUE(shows("Men\xC3\xBC-"));
  EXPECT_TRUE(hides("fehlt"));
  startWithArguments({"--undo"});
  ASSERT_TRUE(shows("Wiederherstellen? (j/n)"));
  session().sendBytes("j\r");
  EXPECT_EQ(session().waitForExit(within(Patience)), 0);
  // The swap's text as the menu wrote it: its end marker without a line end.
  std::string swapped = menuFileText(
      "Start", {{"Zwei", '1', {"true 2"}}, {"Eins", '1', {"true 1"}}, {"Drei", '1', {"true 3"}}});
  swapped.resize(swapped.size() - 2);
  EXPECT_EQ(menuBytes(), swapped);
  EXPECT_EQ(runToEnd({"--check"}).status, 0);
}

bool namesNoTemporaryFile(const std::string& err) {
  return err.find(".cmd") == std::string::npos && err.find("/dev/fd") == std::string::npos;
}

// A one-line item that needs the shell runs through /bin/sh, a plain one
// directly; --list says which.
TEST_F(ShellModesTest, OneLineItemsMeanWhatTheShellMakesOfThem) {
  writeFile(work() / "a.txt", "");
  writeFile(work() / "b.txt", "");
  struct Case {
    std::string line;
    std::string file;      // what the item writes...
    std::string contents;  // ...and what it holds then
    int status;
  };
  const std::vector<Case> cases = {
      {"echo $HOME > home", "home", work().parent_path().string() + "\n", 0},
      {"ls *.txt > liste", "liste", "a.txt\nb.txt\n", 0},
      {"seq 3 | wc -l > zahl", "zahl", "3\n", 0},
      // Plain words: started as a program.
      {"touch direkt", "direkt", "", 0},
  };
  std::vector<MenuItem> items;
  for (const Case& c : cases) items.push_back({"Punkt", '1', {c.line}});
  writeMenu("-menue-", "Shell", items);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].line);
    const Run run = runToEnd({"--run", std::to_string(i + 1)});
    EXPECT_EQ(run.status, cases[i].status) << run.err;
    if (!cases[i].file.empty()) {
      EXPECT_EQ(readFile(work() / cases[i].file), cases[i].contents);
    }
  }

  startWithArguments({"--list"});
  ASSERT_EQ(session().waitForExit(within(Patience)), 0);
  EXPECT_TRUE(session().screenContains(" 1  Punkt  (wartet, über /bin/sh)"));
  EXPECT_TRUE(session().screenContains(" 4  Punkt  (wartet)"));
}

// The menu decides the same way.
TEST_F(ShellModesTest, TheMenuRunsSuchALineThroughTheShell) {
  writeFile(work() / "a.txt", "");
  writeMenu("-menue-", "Shell", {{"Eins", '1', {"ls *.txt > liste"}}});
  start();
  ASSERT_TRUE(shows(" Eins "));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 39) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return readFile(work() / "liste") == "a.txt\n"; }, "the glob ran"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(ShellModesTest, WhatCouldNotRunIsNamed) {
  writeMenu("-menue-", "Fehler",
            {{"Direkt", '1', {"gibtsnicht --x"}},
             {"Shell", '1', {"gibtsnicht --x | cat"}},
             {"Skript", '1', {"true", "gibtsnicht --x"}}});
  const Run direct = runToEnd({"--run", "1"});
  EXPECT_EQ(direct.status, 127);
  EXPECT_EQ(direct.err, "menue: -menue-: gibtsnicht --x: nicht gestartet: nicht gefunden\n");

  for (const char* item : {"2", "3"}) {
    SCOPED_TRACE(item);
    const Run shell = runToEnd({"--run", item});
    EXPECT_EQ(shell.err.rfind("menue: ", 0), 0u) << shell.err;
    EXPECT_NE(shell.err.find("gibtsnicht"), std::string::npos) << shell.err;
    EXPECT_TRUE(namesNoTemporaryFile(shell.err)) << shell.err;
  }

  // A mistyped command at the prompt: the shell's message on the screen.
  start();
  ASSERT_TRUE(shows(" Direkt "));
  ASSERT_TRUE(entered("gibtsnicht"));
  std::string message;
  ASSERT_TRUE(eventually(
      [&] {
        const int row = session().findRow("menue: ");
        message = row > 0 ? session().trimmedRow(row) : "";
        return message.find("gibtsnicht") != std::string::npos;
      },
      "the shell's message"));
  EXPECT_TRUE(namesNoTemporaryFile(message)) << message;
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Direkt "));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
