// ConsoleScreen on the virtual console: conversion, positions, colours,
// wrapping at the right edge and the bottom-right corner, scrolling, numbers.
#include <gtest/gtest.h>

#include "console/console_screen.h"
#include "platform/virtual/virtual_platform.h"

namespace menue {
namespace {

class ConsoleScreenTest : public testing::Test {
 protected:
  VirtualConsole console{80, 25};
  ConsoleScreen screen{console};

  std::string cells(int row, int column, std::size_t count) {
    return console.rowText(row - 1).substr(static_cast<std::size_t>(column - 1), count);
  }
};

TEST_F(ConsoleScreenTest, PrintTextConvertsTheGermanLettersOnly) {
  screen.printText("Men\xFC");
  EXPECT_EQ(cells(1, 1, 4), "Men\x81");
  EXPECT_EQ(screen.row(), 2);
  EXPECT_EQ(screen.column(), 1);
  EXPECT_EQ(toOem("Stra\xDF"
                  "e \xD6l \xE4\xF6\xC4\xDC 1-9 \xC9\xCD\xBB"),
            "Stra\xE1"
            "e \x99l \x84\x94\x8E\x9A 1-9 \xC9\xCD\xBB");
  EXPECT_EQ(toOem("already \x81"), "already \x81");
  screen.printText("", false);
  EXPECT_EQ(screen.row(), 3);
  EXPECT_EQ(screen.column(), 1);
  screen.printText("stay", true);
  EXPECT_EQ(screen.row(), 3);
  EXPECT_EQ(screen.column(), 5);
}

TEST_F(ConsoleScreenTest, MoveToKeepsWhatIsOutOfRange) {
  screen.moveTo(10, 20);
  screen.moveTo(0, 5);
  EXPECT_EQ(screen.row(), 10);
  EXPECT_EQ(screen.column(), 5);
  screen.moveTo(26, 81);
  EXPECT_EQ(screen.row(), 10);
  EXPECT_EQ(screen.column(), 5);
  screen.moveTo(25, 80);
  EXPECT_EQ(screen.row(), 25);
  EXPECT_EQ(screen.column(), 80);
}

TEST_F(ConsoleScreenTest, ColoursOutsideTheRangeKeepThePreviousOne) {
  EXPECT_EQ(screen.attribute(), 0x07);
  screen.setColours(16, 3);
  EXPECT_EQ(screen.foreground(), 7);
  EXPECT_EQ(screen.background(), 3);
  EXPECT_EQ(console.textAttribute(), 0x37);
  screen.setColours(1, -1);
  EXPECT_EQ(screen.attribute(), 0x31);
  screen.writeText("x");
  EXPECT_EQ(console.cellAttribute(0, 0), 0x31);
  screen.clearScreen();
  EXPECT_EQ(console.cellAttribute(24, 79), 0x31);
  EXPECT_EQ(console.cellChar(24, 79), ' ');
  EXPECT_EQ(screen.row(), 1);
}

TEST_F(ConsoleScreenTest, ControlBytesAreCellsNotCommands) {
  screen.writeText("a\tb\r\n\x07");
  EXPECT_EQ(cells(1, 1, 6), "a\tb\r\n\x07");
  EXPECT_EQ(screen.column(), 7);
}

TEST_F(ConsoleScreenTest, FullRowWrapsAndALineEndLeavesAnEmptyRow) {
  screen.writeText(std::string(80, 'x'));
  EXPECT_EQ(screen.row(), 2);
  EXPECT_EQ(screen.column(), 1);
  screen.endLine();
  EXPECT_EQ(screen.row(), 3);
  screen.moveTo(5, 75);
  screen.writeText("0123456789");
  EXPECT_EQ(cells(5, 75, 6), "012345");
  EXPECT_EQ(cells(6, 1, 4), "6789");
  EXPECT_EQ(screen.column(), 5);
}

TEST_F(ConsoleScreenTest, BottomRightCornerOwesOneScroll) {
  screen.moveTo(25, 71);
  screen.writeText("0123456789");
  // Nothing scrolled yet: the text stands on the bottom row.
  EXPECT_EQ(cells(25, 71, 10), "0123456789");
  EXPECT_EQ(screen.row(), 25);
  EXPECT_EQ(screen.column(), 1);
  screen.writeText("z");
  EXPECT_EQ(cells(24, 71, 10), "0123456789");
  EXPECT_EQ(cells(25, 1, 1), "z");
  screen.moveTo(25, 71);
  screen.writeText("0123456789");
  screen.endLine();
  // The owed scroll and the line end: the text two rows up, one empty row.
  EXPECT_EQ(cells(23, 71, 10), "0123456789");
  EXPECT_EQ(console.rowText(23), std::string(80, ' '));
  EXPECT_EQ(screen.row(), 25);
}

TEST_F(ConsoleScreenTest, LineEndOnTheBottomRowScrollsInTheCurrentColours) {
  screen.moveTo(1, 1);
  screen.writeText("top");
  screen.moveTo(25, 1);
  screen.writeText("bottom");
  screen.setColours(7, 1);
  screen.endLine();
  EXPECT_EQ(cells(24, 1, 6), "bottom");
  EXPECT_EQ(cells(1, 1, 3), "   ");
  EXPECT_EQ(console.rowText(24), std::string(80, ' '));
  EXPECT_EQ(console.cellAttribute(24, 0), 0x17);
  EXPECT_EQ(screen.row(), 25);
  EXPECT_EQ(screen.column(), 1);
}

TEST_F(ConsoleScreenTest, NumbersAndPrintZones) {
  screen.writeNumber(0);
  screen.writeNumber(-3);
  screen.writeNumber(53);
  EXPECT_EQ(cells(1, 1, 10), " 0 -3  53 ");
  screen.moveTo(2, 29);
  screen.nextPrintZone();
  EXPECT_EQ(screen.column(), 43);
  screen.moveTo(2, 10);
  screen.nextPrintZone();
  EXPECT_EQ(screen.column(), 15);
  screen.moveTo(2, 1);
  screen.nextPrintZone();
  EXPECT_EQ(screen.column(), 15);
}

TEST_F(ConsoleScreenTest, StepBackCrossesTheRowStart) {
  screen.moveTo(3, 1);
  screen.stepBack();
  EXPECT_EQ(screen.row(), 2);
  EXPECT_EQ(screen.column(), 80);
  screen.moveTo(25, 80);
  screen.writeText("q");
  screen.stepBack();
  EXPECT_EQ(screen.row(), 25);
  EXPECT_EQ(screen.column(), 80);
}

TEST_F(ConsoleScreenTest, CursorKeepsItsSizeWhenHidden) {
  screen.hideCursor();
  EXPECT_FALSE(console.cursorShape().visible);
  EXPECT_EQ(console.cursorShape().size, 25);
  screen.showCursor();
  EXPECT_TRUE(console.cursorShape().visible);
}

}  // namespace
}  // namespace menue
