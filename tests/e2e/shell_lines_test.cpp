// End to end, POSIX: a single-line item whose line needs the shell runs
// through /bin/sh as the same line among others would, a plain one is
// started directly; --list says which; what could not run is named, and the
// shell's own messages name menue, not a temporary file.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class ShellLinesTest : public E2eTest {
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

  static bool namesNoTemporaryFile(const std::string& err) {
    return err.find(".cmd") == std::string::npos && err.find("/dev/fd") == std::string::npos;
  }
};

TEST_F(ShellLinesTest, OneLineItemsMeanWhatTheShellMakesOfThem) {
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
      {"pwd; exit 2 # nur hier", "", "", 2},
      {"exit 6", "", "", 6},
      // Plain words: started as a program, the glob character's absence
      // and all; its status is the program's.
      {"touch direkt", "direkt", "", 0},
      {"false", "", "", 1},
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
  EXPECT_TRUE(session().screenContains(" 6  Punkt  (wartet)"));
}

// The menu itself decides the same way: a chosen one-line item with a glob
// and a redirection runs through the shell.
TEST_F(ShellLinesTest, TheMenuRunsSuchALineThroughTheShell) {
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

TEST_F(ShellLinesTest, WhatCouldNotRunIsNamed) {
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
  ASSERT_TRUE(eventually([&] { return session().findRow("menue: ") > 0; }, "the shell's message"));
  const std::string message = session().trimmedRow(session().findRow("menue: "));
  EXPECT_NE(message.find("gibtsnicht"), std::string::npos) << message;
  EXPECT_TRUE(namesNoTemporaryFile(message)) << message;
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Direkt "));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
