// The least window: which windows fit, the notice of one too small, and the
// waits while the window is too small (only ESC counts, the notice shows
// until the window fits again).
#include "console/window_size.h"

#include <gtest/gtest.h>

#include "console/input.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"
#include "tests/support/input_records.h"

namespace menue {
namespace {

TEST(WindowSizeTest, FitsFromEightyByTwentyFourOn) {
  const std::vector<std::pair<WindowSize, bool>> cases = {
      {{80, 24}, true},  {{80, 25}, true},  {{250, 80}, true},  {{79, 24}, false},
      {{80, 23}, false}, {{60, 15}, false}, {{100, 20}, false},
  };
  for (const auto& [window, fits] : cases) {
    SCOPED_TRACE(std::to_string(window.columns) + "x" + std::to_string(window.rows));
    EXPECT_EQ(windowFits(window), fits);
    EXPECT_EQ(smallWindowNotice(window).empty(), fits);
  }
  EXPECT_EQ(smallWindowNotice({60, 15}), "Fenster zu klein: 80x24 n\xF6tig, 60x15 vorhanden");
}

class SmallWindowWaitTest : public testing::Test {
 protected:
  VirtualPlatform machine;
  Program program{machine.platform()};
};

TEST_F(SmallWindowWaitTest, OnlyEscCountsAndTheNoticeShowsUntilTheWindowFits) {
  machine.console.resizeWindow({60, 15});
  machine.console.push(keyRecord('a'));
  machine.console.push(mouseRecord({7, 39}, mouse::LeftButton, 0));
  machine.console.push(keyRecord('\r'));
  machine.console.onIdle = [&] {
    // Present before the wait: the notice in the code page 850 of the screen.
    EXPECT_EQ(machine.console.notice(), "Fenster zu klein: 80x24 n\x94tig, 60x15 vorhanden");
    machine.console.onIdle = nullptr;
    machine.console.resizeWindow({80, 25});
    machine.console.push(keyRecord('b'));
    return true;
  };
  // The key, the click and the Enter of the small window are gone.
  EXPECT_EQ(program.input.waitForInput().key, Key::character('b'));
  program.screen.present();
  EXPECT_EQ(machine.console.notice(), "");

  machine.console.resizeWindow({79, 25});
  machine.console.push(keyRecord('c'));
  machine.console.push(keyRecord(27, 1));
  EXPECT_THROW(program.input.waitForInput(), LeaveRequest);
}

}  // namespace
}  // namespace menue
