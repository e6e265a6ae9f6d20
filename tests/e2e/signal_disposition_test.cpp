// End to end, POSIX: the signals that do not end the menu. A stop (SIGTSTP)
// gives the terminal back and a continue takes it again with the whole
// screen repainted; a write past the file-size limit (SIGXFSZ ignored) is an
// error message, not a death; started programs get every signal's default;
// dispositions inherited ignored are taken back, so a status stays a status.
#include <signal.h>

#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/fault_support.h"

namespace menue::e2e {
namespace {

class SignalDispositionTest : public E2eTest {
 protected:
  void writeTwoItems(std::vector<std::string> firstCommands = {"true"}) {
    writeMenu("-menue-", "Kopfzeile",
              {{"Eins", '1', std::move(firstCommands)}, {"Zwei", '1', {"true"}}});
  }
  fs::path menu() const { return work() / "-menue-"; }
  // Item 1 of two: row 8, its line " Eins " from column 38.
  int firstItemAttribute() { return session().attribute(8, 39); }
};

TEST_F(SignalDispositionTest, StopGivesTheTerminalBackAndContinueRepaintsTheMenu) {
  // Under a job-control shell: the kernel stops no process group that has
  // no parent in its session, so the menu must be a job of a shell there.
  writeTwoItems();
  startThrough({"/bin/bash", "--norc", "--noprofile", "-i", "-s"});
  ASSERT_TRUE(eventually([&] { return session().respondedSinceInput(); }, "the shell's prompt"));
  // The shell's own line editor would switch bracketed paste on for its
  // prompt, hiding whether the menu switched it off.
  session().sendBytes("bind 'set enable-bracketed-paste off'; PS1='bereit> '\r");
  session().sendBytes("sh -c 'echo $$ > menue.pid; exec \"$0\"' \"$1\"\r");
  ASSERT_TRUE(shows(" Zwei "));
  ASSERT_TRUE(eventually([&] { return session().terminalMouseOn(); }, "mouse reporting on"));
  const pid_t menu = std::stoi(readFile(work() / "menue.pid").value_or("0"));
  ASSERT_GT(menu, 0);

  kill(menu, SIGTSTP);
  ASSERT_TRUE(shows("Stopped"));
  // The shell got the terminal as the program found it.
  EXPECT_FALSE(session().terminalMouseOn());
  EXPECT_TRUE(session().terminalCursorVisible());
  EXPECT_EQ(session().privateMode(BracketedPaste), false);
  // It writes over the screen meanwhile; the menu cannot know what is left.
  session().otherProgramWrites("\x1b[0m\x1b[H\x1b[2J");
  ASSERT_FALSE(session().screenContains(" Zwei "));

  session().sendBytes("fg\r");
  EXPECT_TRUE(shows(" Zwei "));
  EXPECT_TRUE(shows("Kopfzeile"));
  EXPECT_TRUE(eventually([&] { return session().terminalMouseOn(); }, "mouse reporting on again"));
  EXPECT_EQ(session().privateMode(BracketedPaste), true);
  EXPECT_FALSE(session().terminalCursorVisible());
  // Raw again: a cursor key is a key, not an echo waiting for Enter.
  EXPECT_EQ(session().termiosNow().c_lflag & (ICANON | ECHO), 0u);
  session().pressKey(Key::Down);
  EXPECT_TRUE(eventually([&] { return firstItemAttribute() == 0x71; }, "item 1 highlighted"));

  session().pressKey(Key::Escape);
  // The menu discards what was typed for it as it ends: the shell's prompt
  // first, then its input.
  EXPECT_TRUE(eventually([&] { return session().trimmedRow(session().cursor().row) == "bereit>"; },
                         "the shell's prompt after the menu"));
  EXPECT_FALSE(session().terminalMouseOn());
  EXPECT_TRUE(session().terminalCursorVisible());
  session().sendBytes("exit\r");
  EXPECT_TRUE(session().waitForExit(within(Patience)).has_value());
}

TEST_F(SignalDispositionTest, StopWithoutJobControlLeavesTheMenuRunning) {
  // Outside a job-control session (an orphaned process group, as under the
  // harness) the kernel does not stop on SIGTSTP: the menu keeps the
  // terminal, repainted, and keys keep working.
  writeTwoItems();
  start();
  ASSERT_TRUE(shows(" Zwei "));
  ASSERT_TRUE(eventually([&] { return session().terminalMouseOn(); }, "mouse reporting on"));
  session().otherProgramWrites("\x1b[0m\x1b[H\x1b[2J");
  session().sendSignal(SIGTSTP);
  EXPECT_TRUE(shows(" Zwei "));
  EXPECT_TRUE(session().terminalMouseOn());
  EXPECT_EQ(session().termiosNow().c_lflag & (ICANON | ECHO), 0u);
  session().pressKey(Key::Down);
  EXPECT_TRUE(eventually([&] { return firstItemAttribute() == 0x71; }, "item 1 highlighted"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(SignalDispositionTest, WritePastTheFileSizeLimitIsAnErrorAndChangesNothing) {
  // Larger than the limit below, in the shell's blocks of 512 or 1024 bytes.
  std::vector<std::string> lines;
  for (int i = 0; i < 40; ++i)
    lines.push_back("echo Zeile " + std::to_string(i) + std::string(200, 'x'));
  writeTwoItems(lines);
  const std::string before = readFile(menu()).value_or("");
  ASSERT_GT(before.size(), 8192u);

  startThrough({"/bin/sh", "-c", "ulimit -f 4; exec \"$0\""});
  ASSERT_TRUE(shows(" Zwei "));
  ASSERT_TRUE(entered("Menü*1+2"));
  // EFBIG has no message of its own: the one of a failed file access.
  EXPECT_TRUE(shows("Fehler  75  bei ausführung"));
  EXPECT_EQ(readFile(menu()), before);
  EXPECT_EQ(temporariesIn(work()).size(), 0u);
  // The menu goes on after a key.
  session().sendBytes(" ");
  EXPECT_TRUE(shows(" Zwei "));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(SignalDispositionTest, StartedProgramsIgnoreNoSignal) {
  // Two lines: run by the shell through the LaunchScript, which writes the
  // set of ignored signals the commands started with.
  writeTwoItems({"grep SigIgn /proc/self/status > ignoriert.txt", "true"});
  start();
  ASSERT_TRUE(shows(" Eins "));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return firstItemAttribute() == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(
      eventually([&] { return readFile(work() / "ignoriert.txt").value_or("").ends_with("\n"); },
                 "the item has run"));
  // The standard signals 1 to 31 (bit n - 1 each); what the harness itself
  // inherited beyond them is not the menu's doing.
  const std::string line = readFile(work() / "ignoriert.txt").value_or("");
  ASSERT_EQ(line.rfind("SigIgn:\t", 0), 0u) << line;
  const unsigned long long ignored = std::stoull(line.substr(8), nullptr, 16);
  EXPECT_EQ(ignored & 0x7FFFFFFFull, 0u) << line;
  EXPECT_TRUE(endsWithEsc());
}

// Started by a program that left signals ignored (SIG_IGN survives exec):
// SIGCHLD ignored makes the system reap every child unasked, so a wait
// would fail and, read as success, every --run would exit 0.
TEST_F(SignalDispositionTest, InheritedIgnoredSignalsAreTakenBack) {
  writeMenu("-menue-", "Kopfzeile",
            {{"Skript", '1', {"grep SigIgn /proc/self/status > ignoriert.txt", "exit 3"}},
             {"Direkt", '1', {"false"}},
             {"Shell", '1', {"exit 5"}}});
  struct Case {
    std::string ignored;  // as trap names them
    std::string item;
    int status;
    unsigned long long bits;  // of those signals in the SigIgn mask
  };
  const unsigned long long chld = 1ull << (SIGCHLD - 1);
  const unsigned long long all =
      chld | 1ull << (SIGWINCH - 1) | 1ull << (SIGTSTP - 1) | 1ull << (SIGCONT - 1);
  const std::vector<Case> cases = {
      {"CHLD", "1", 3, chld},
      {"CHLD", "2", 1, chld},
      {"CHLD", "3", 5, chld},
      {"CHLD WINCH TSTP CONT", "1", 3, all},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ignored + ", item " + c.item);
    fs::remove(work() / "ignoriert.txt");
    startThrough({"/bin/sh", "-c", "trap '' " + c.ignored + "; exec \"$0\" --run " + c.item});
    EXPECT_EQ(session().waitForExit(within(Patience)), c.status);
    if (c.item != "1") continue;
    const std::string line = readFile(work() / "ignoriert.txt").value_or("");
    ASSERT_EQ(line.rfind("SigIgn:\t", 0), 0u) << line;
    EXPECT_EQ(std::stoull(line.substr(8), nullptr, 16) & c.bits, 0u) << line;
  }
}

}  // namespace
}  // namespace menue::e2e
