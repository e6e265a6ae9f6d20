// End to end, POSIX: runs side by side never touch each other's LaunchScript,
// and a signal that ends a run removes its script as ESC does.
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class LaunchScriptTest : public E2eTest {
 protected:
  std::vector<std::string> scriptsLeft() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(temp())) {
      const std::string name = entry.path().filename().string();
      if (name.ends_with(".cmd")) names.push_back(name);
    }
    return names;
  }
};

TEST_F(LaunchScriptTest, ParallelRunsKeepToTheirOwnScripts) {
  // A run that lost its script to another exits otherwise than 3 and says so.
  writeMenu("-menue-", "Lauf", {{"Zwei Zeilen", '1', {"true", "exit 3"}}});
  const std::string loop = "for i in $(seq 60); do '" + program().string() +
                           "' --run 1 2>>fehler.txt; echo $? >> status$j.txt; done";
  const std::string command = "cd '" + work().string() + "' && export TMP='" + temp().string() +
                              "' && for j in 1 2 3; do (" + loop + ") & done; wait";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  for (const char* file : {"status1.txt", "status2.txt", "status3.txt"}) {
    SCOPED_TRACE(file);
    const std::string statuses = readFile(work() / file).value_or("");
    std::string expected;
    for (int i = 0; i < 60; ++i) expected += "3\n";
    EXPECT_EQ(statuses, expected);
  }
  EXPECT_EQ(readFile(work() / "fehler.txt").value_or(""), "");
  EXPECT_TRUE(scriptsLeft().empty());
}

TEST_F(LaunchScriptTest, TerminatingSignalsRemoveTheMenusScript) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT, SIGUSR1, SIGALRM}) {
    SCOPED_TRACE(signalNumber);
    start();
    ASSERT_TRUE(shows(" Eins "));
    // A pass-through leaves its script until the exit. The signal comes once
    // the menu has the terminal back: while a program runs SIGINT is its.
    ASSERT_TRUE(entered("echo fertig | tr a-z A-Z"));
    ASSERT_TRUE(eventually(
        [&] { return session().screenContains("FERTIG") && session().terminalMouseOn(); },
        "the line ran and the menu waits"));
    ASSERT_TRUE(fs::exists(launchScript()));
    session().sendSignal(signalNumber);
    EXPECT_EQ(session().waitForExit(within(Patience)), 128 + signalNumber);
    EXPECT_TRUE(scriptsLeft().empty());
    EXPECT_TRUE(terminalRestored());
  }
}

TEST_F(LaunchScriptTest, ATerminatedRunRemovesItsScript) {
  writeMenu("-menue-", "Start", {{"Lange", '1', {"echo gestartet", "exec sleep 30"}}});
  for (const int signalNumber : {SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signalNumber);
    startWithArguments({"--run", "1"});
    ASSERT_TRUE(shows("gestartet"));
    EXPECT_TRUE(fs::exists(launchScript()));
    session().sendSignal(signalNumber);
    EXPECT_EQ(session().waitForExit(within(Patience)), 128 + signalNumber);
    EXPECT_TRUE(scriptsLeft().empty());
  }
}

}  // namespace
}  // namespace menue::e2e
