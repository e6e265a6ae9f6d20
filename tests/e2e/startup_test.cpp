// End to end, POSIX: start-up in a directory without a menu, the prompt, and
// the terminal handed back as it was found on every way out.
#include <signal.h>
#include <string.h>

#include <string>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class StartupTest : public E2eTest {};

TEST_F(StartupTest, EmptyDirectoryShowsPromptAndEscEndsWithTerminalRestored) {
  start();
  ASSERT_TRUE(showsPrompt(work()));
  // Start-up draws nothing but the prompt: the rows above stay as they were.
  for (int row = 1; row < PromptRow; ++row) EXPECT_EQ(session().trimmedRow(row), "") << row;
  EXPECT_EQ(session().cells(PromptRow, 3, static_cast<int>(work().string().size()) + 3),
            work().string() + ">_ ");
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(StartupTest, ArrowKeysAndClicksWithoutMenuDrawNothing) {
  start();
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(eventually([&] { return session().mouseReportingOn(); }, "mouse reporting on"));
  session().pressKey(Key::Down);
  session().click(10, 40);
  EXPECT_TRUE(endsWithEsc());
  for (int row = 1; row < PromptRow; ++row) EXPECT_EQ(session().trimmedRow(row), "") << row;
}

// The immediate end after an item of status 3 (ESC is checked by
// endsWithEsc everywhere) leaves the terminal as the terminal library took it.
TEST_F(StartupTest, EndAfterStatusThreeGivesTheTerminalBack) {
  writeMenu("-menue-", "Kopf", {{"Ende", '3', {"true"}}});
  start();
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(eventually([&] { return session().terminalMouseOn(); }, "mouse reporting on"));
  session().pressKey(Key::Down);
  // Item 1 of one: row 8, highlighted in 1 on 7.
  // Shown at the next wait, after its flush: the Enter is not discarded.
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 40) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  EXPECT_EQ(session().waitForExit(within(Patience)), 0);
  EXPECT_TRUE(terminalRestored());
}

// A signal that ends the program must not leave the terminal raw, with
// mouse reporting or bracketed paste on or the cursor hidden, as the bytes
// say and as the terminal took them; the program dies by the signal itself.
class SignalTest : public E2eTest, public ::testing::WithParamInterface<int> {};

TEST_P(SignalTest, TerminalRestoredWhenEndedBySignal) {
  start();
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(eventually([&] { return session().mouseReportingOn(); },
                         "mouse reporting switched on while waiting"))
      << "(needed so that the restore below has something to undo)";
  session().sendSignal(GetParam());
  // The program dies by the signal itself, after the restore.
  EXPECT_EQ(session().waitForExit(within(Patience)), 128 + GetParam());
  EXPECT_TRUE(terminalRestored());
}

// Every signal whose default action ends the process and that can be
// caught: the ending ones, those of timers and limits, and those of a crash.
INSTANTIATE_TEST_SUITE_P(Signals, SignalTest,
                         ::testing::Values(SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGABRT, SIGSEGV,
                                           SIGBUS, SIGFPE, SIGILL, SIGUSR1, SIGUSR2, SIGALRM,
                                           SIGPIPE, SIGVTALRM, SIGPROF, SIGXCPU, SIGSYS, SIGTRAP,
                                           SIGPWR, SIGSTKFLT, SIGIO),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
}  // namespace menue::e2e
