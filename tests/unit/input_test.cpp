// The waits on the virtual console: line input with echo and Backspace, and
// the input modes of a run.
#include <gtest/gtest.h>

#include "console/input.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"
#include "tests/support/input_records.h"

namespace menue {
namespace {

class InputWaitTest : public testing::Test {
 protected:
  VirtualPlatform machine;
  Program program{machine.platform()};

  void type(const std::string& text) {
    for (char c : text) machine.console.push(keyRecord(static_cast<std::uint8_t>(c)));
  }
};

TEST_F(InputWaitTest, ReadLineEchoesAndEditsAcrossTheRowStart) {
  program.screen.moveTo(3, 78);
  program.screen.hideCursor();
  type("abcd");
  machine.console.push(keyRecord(27, 1));    // ESC is ignored here
  machine.console.push(keyRecord(9, 0x0F));  // so are other control characters
  machine.console.push(keyRecord(0, 80));    // and extended keys
  type("\b\b\bx\r");
  EXPECT_EQ(program.input.readLine(), "ax");
  EXPECT_EQ(machine.console.rowText(2).substr(77), "ax ");
  EXPECT_EQ(machine.console.rowText(3).substr(0, 2), "  ");
  // Enter ends the line; the cursor is hidden again as before.
  EXPECT_EQ(program.screen.row(), 4);
  EXPECT_FALSE(machine.console.cursorShape().visible);
}

// A wide character echoes in two cells and Backspace clears both; one that
// would straddle the row's end starts the next row.
TEST_F(InputWaitTest, ReadLineEchoesWideCharactersByColumns) {
  program.screen.moveTo(6, 77);
  for (const char32_t c : {U'a', U'\u65E5', U'\u672C', U'b', U'\b', U'\b', U'\u20AC', U'\r'}) {
    machine.console.push(keyRecord(c));
  }
  EXPECT_EQ(program.input.readLine(), "a\u65E5\u20AC");
  EXPECT_EQ(machine.console.rowCharacters(5).substr(76), "a\u65E5 ");
  EXPECT_EQ(machine.console.rowCharacters(6).substr(0, 5), "\u20AC  ");
}

TEST_F(InputWaitTest, ReadLineStopsStoringAtTenThousandBytes) {
  type(std::string(10005, 'x') + "\r");
  std::string line = program.input.readLine();
  EXPECT_EQ(line.size(), 10000u);
}

TEST_F(InputWaitTest, ReadLineTypesAPasteUpToTheLimit) {
  program.screen.moveTo(5, 1);
  type("a");
  machine.console.push(pasteRecord("b c\rd"));
  type("\bx\r");
  EXPECT_EQ(program.input.readLine(), "ab x");
  EXPECT_EQ(machine.console.rowText(4).substr(0, 5), "ab x ");
  type("a");
  machine.console.push(pasteRecord(std::string(10005, 'y')));
  type("z\r");
  EXPECT_EQ(program.input.readLine(), "a" + std::string(9999, 'y'));
}

TEST_F(InputWaitTest, BackspaceOnAnEmptyLineDoesNothing) {
  program.screen.moveTo(10, 10);
  type("\b\bq\r");
  EXPECT_EQ(program.input.readLine(), "q");
  EXPECT_EQ(machine.console.rowText(9).substr(9, 1), "q");
}

TEST_F(InputWaitTest, WaitTurnsTheMouseOnAndSkipsMovement) {
  InputRecord moved;
  moved.kind = RecordKind::Mouse;
  moved.mouse.eventFlags = mouse::Moved;
  machine.console.push(moved);
  machine.console.push(keyRecord('k', 0x25));
  EXPECT_EQ(program.input.waitForInput().key, Key::character('k'));
  EXPECT_EQ(machine.console.inputMode(), inputmode::Mouse);
  EXPECT_FALSE(machine.console.cursorShape().visible);
}

}  // namespace
}  // namespace menue
