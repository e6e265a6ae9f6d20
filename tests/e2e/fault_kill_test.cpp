// End to end, POSIX: the program killed (SIGKILL) just after the Enter that
// commits an edit, again and again with a growing MenuFile and a varying
// moment: the MenuFile always loads and holds either the old bytes or the
// new ones, and a killed rewrite leaves at most its own temporary file.
#include <signal.h>

#include <chrono>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#include "menufile/menu_parse.h"
#include "menufile/menu_text_builders.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/fault_support.h"

namespace menue::e2e {
namespace {

constexpr int Rounds = 50;

// Round r's MenuFile: two items whose command lines grow with r, so that
// the rewrite takes longer and the kill lands in more of its steps.
std::string menuForRound(int round) {
  std::vector<std::string> lines;
  for (int i = 0; i <= round * 40; ++i)
    lines.push_back("echo Zeile " + std::to_string(i) + std::string(300, 'x'));
  return menuFileText("Runde " + std::to_string(round),
                      {{"Eins", '1', lines}, {"Zwei", '2', {"true"}}});
}

bool loads(const std::string& text) {
  MenuModel model;
  return parseMenuText(model, text) == ParseResult::Loaded && model.itemCount == 2;
}

class KillTest : public E2eTest {
 protected:
  struct Outcome {
    std::string before;  // the MenuFile before the edit
    std::string after;   // what the edit writes
    std::string bytes;   // what the MenuFile holds after the kill
  };

  // Starts the program on round r's MenuFile, commits a swap of its two
  // items and kills the program a random moment after the Enter.
  void killDuringSwap(int round, Outcome& outcome) {
    outcome.before = menuForRound(round);
    writeFile(menu(), outcome.before);
    MenuModel model;
    ASSERT_EQ(parseMenuText(model, outcome.before), ParseResult::Loaded);
    outcome.after = swapItemsText(model, 1, 2);

    start();
    ASSERT_TRUE(shows(" Zwei "));
    ASSERT_TRUE(typed("Menü*1+2"));
    session().pressKey(Key::Enter);
    // The fault itself: a kill at a random moment of the rewrite, not a wait.
    std::this_thread::sleep_for(std::chrono::microseconds(delay_(random_)));
    session().sendSignal(SIGKILL);
    ASSERT_TRUE(session().waitForExit(within(Patience)).has_value());
    outcome.bytes = readFile(menu()).value_or("<no file>");
  }

  fs::path menu() const { return work() / "-menue-"; }

  const unsigned seed_ = std::random_device{}();
  std::mt19937 random_{seed_};
  // Up to a few milliseconds after the Enter: about as long as the program
  // takes to rewrite and sync the larger files.
  std::uniform_int_distribution<int> delay_{0, 2500};
};

TEST_F(KillTest, KilledRewriteLeavesOldOrNewBytes) {
  SCOPED_TRACE("seed " + std::to_string(seed_));
  int oldKept = 0;
  int newWritten = 0;
  std::set<std::string> left;
  for (int round = 1; round <= Rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Outcome outcome;
    ASSERT_NO_FATAL_FAILURE(killDuringSwap(round, outcome));
    const std::string& bytes = outcome.bytes;
    ASSERT_TRUE(bytes == outcome.before || bytes == outcome.after)
        << "the MenuFile holds " << bytes.size() << " bytes, neither the old "
        << outcome.before.size() << " nor the new " << outcome.after.size();
    ASSERT_TRUE(loads(bytes));
    (bytes == outcome.before ? oldKept : newWritten) += 1;

    // A finished rewrite has renamed its temporary; a killed one may leave
    // it, holding the start of the new text and nothing else.
    std::set<std::string> now = temporariesIn(work());
    std::vector<std::string> added;
    for (const auto& name : now) {
      if (!left.count(name)) added.push_back(name);
    }
    EXPECT_LE(added.size(), bytes == outcome.after ? 0u : 1u);
    for (const auto& name : added) {
      const std::string partial = readFile(work() / name).value_or("");
      EXPECT_EQ(outcome.after.compare(0, partial.size(), partial), 0)
          << name << " holds other bytes";
    }
    left = std::move(now);
  }
  std::cout << "[ kills    ] old bytes kept " << oldKept << ", new bytes written " << newWritten
            << ", temporaries left behind " << left.size() << "\n";
}

TEST_F(KillTest, KilledRewritesLeaveNoPileOfTemporaries) {
  SCOPED_TRACE("seed " + std::to_string(seed_));
  for (int round = 1; round <= Rounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    Outcome outcome;
    ASSERT_NO_FATAL_FAILURE(killDuringSwap(round, outcome));
    ASSERT_LE(temporariesIn(work()).size(), 1u);
  }
}

}  // namespace
}  // namespace menue::e2e
