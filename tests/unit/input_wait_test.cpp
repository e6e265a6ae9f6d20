// The waits on the virtual console: line input with echo and Backspace, the
// highlight markers, and the input modes of a run.
#include <gtest/gtest.h>

#include "console/input.h"
#include "control/program_state.h"
#include "exec/error_handling.h"
#include "platform/virtual/virtual_platform.h"
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
  EXPECT_EQ(readLine(program), "ax");
  EXPECT_EQ(machine.console.rowText(2).substr(77), "ax ");
  EXPECT_EQ(machine.console.rowText(3).substr(0, 2), "  ");
  // Enter ends the line; the cursor is hidden again as before.
  EXPECT_EQ(program.screen.row(), 4);
  EXPECT_FALSE(machine.console.cursorShape().visible);
}

TEST_F(InputWaitTest, ReadLineStopsStoringAtTenThousandBytes) {
  type(std::string(10005, 'x') + "\r");
  std::string line = readLine(program);
  EXPECT_EQ(line.size(), 10000u);
}

TEST_F(InputWaitTest, BackspaceOnAnEmptyLineDoesNothing) {
  program.screen.moveTo(10, 10);
  type("\b\bq\r");
  EXPECT_EQ(readLine(program), "q");
  EXPECT_EQ(machine.console.rowText(9).substr(9, 1), "q");
}

TEST_F(InputWaitTest, HighlightMarkersAndWrapAround) {
  program.model.itemCount = 3;
  program.layout.itemBase = 4;
  program.layout.itemSpacing = 3;
  program.state.highlightedItem = 3;
  moveHighlight(program, +1);
  EXPECT_EQ(program.state.highlightedItem, 1);
  EXPECT_EQ(machine.console.cellChar(6, 0), '>');
  EXPECT_EQ(machine.console.cellChar(6, 77), '<');
  EXPECT_EQ(machine.console.cellAttribute(6, 0), 0x11);
  moveHighlight(program, -1);
  EXPECT_EQ(program.state.highlightedItem, 3);
  // The old markers are blanked, the new ones written.
  EXPECT_EQ(machine.console.cellChar(6, 0), ' ');
  EXPECT_EQ(machine.console.cellChar(12, 77), '<');
  EXPECT_EQ(program.screen.attribute(), 0x17);
  program.model.itemCount = 0;
  program.state.highlightedItem = 0;
  moveHighlight(program, +1);
  EXPECT_EQ(program.state.highlightedItem, 1);
  program.state.highlightedItem = 0;
  moveHighlight(program, -1);
  EXPECT_EQ(program.state.highlightedItem, 0);
}

TEST_F(InputWaitTest, WaitTurnsTheMouseOnAndSkipsMovement) {
  InputRecord moved;
  moved.kind = RecordKind::Mouse;
  moved.mouse.eventFlags = mouse::Moved;
  machine.console.push(moved);
  machine.console.push(keyRecord('k', 0x25));
  waitForInput(program);
  EXPECT_EQ(program.state.key, "k");
  EXPECT_EQ(machine.console.inputMode(), inputmode::Mouse);
  EXPECT_FALSE(machine.console.cursorShape().visible);
}

TEST_F(InputWaitTest, EscapeEndsTheProgramAndDeletesTheScript) {
  program.state.launchScriptPath = "C:\\menue.cmd";
  machine.files.putFile("C:\\menue.cmd", "@Echo off\r\n");
  machine.console.push(keyRecord(27, 1));
  EXPECT_THROW(waitForInput(program), ProgramEnd);
  EXPECT_FALSE(machine.files.file("C:\\menue.cmd"));
}

}  // namespace
}  // namespace menue
