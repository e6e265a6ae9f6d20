// The core presents the screen before every block: at a wait for input and
// at each pause, whatever it wrote has been presented (on a terminal it
// would otherwise not be seen until later).
#include <gtest/gtest.h>

#include "console/input.h"
#include "platform/virtual/virtual_platform.h"
#include "session/error_handling.h"
#include "session/program.h"

namespace menue {
namespace {

struct PresentedAtPause : Clock {
  explicit PresentedAtPause(const VirtualConsole& console) : console(console) {}
  void sleepMs(int) override { presentedAtPause.push_back(console.presented()); }
  WallTime now() override { return {}; }
  const VirtualConsole& console;
  std::vector<bool> presentedAtPause;
};

class PresentTest : public testing::Test {
 protected:
  VirtualPlatform machine;
  PresentedAtPause clock{machine.console};
  Platform platform{machine.console,     machine.files, machine.processes,
                    machine.environment, clock,         PathRules{}};
  Program program{platform};
};

TEST_F(PresentTest, BeforeAWaitForInput) {
  bool presented = false;
  machine.console.onIdle = [&] {
    presented = machine.console.presented();
    return false;
  };
  program.screen.printText("Eingabe");
  EXPECT_THROW(program.input.waitForInput(), ScriptExhausted);
  EXPECT_TRUE(presented);
}

TEST_F(PresentTest, BeforeEachPauseOfAMessage) {
  EXPECT_EQ(generalErrorHandler(program, ErrorNumber::InternalError), Next::Continue);
  EXPECT_EQ(generalErrorHandler(program, ErrorNumber::PathNotFound), Next::AfterCommandWait);
  EXPECT_EQ(generalErrorHandler(program, ErrorNumber::FileNotFound), Next::End);
  EXPECT_EQ(clock.presentedAtPause, std::vector<bool>(3, true));
}

}  // namespace
}  // namespace menue
