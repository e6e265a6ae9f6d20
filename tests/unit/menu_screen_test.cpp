// Frame columns from the menu width, the rows of the layout for every item
// count checked by what the screen must show, not entry by entry, and the
// highlight markers.
#include <gtest/gtest.h>

#include "console/menu_screen.h"
#include "platform/virtual/virtual_platform.h"

namespace menue {
namespace {

TEST(MenuLayout, FrameColumnsRoundHalvesToEven) {
  const std::tuple<int, int, int> table[] = {
      {2, 3, 76},  {3, 34, 46},  {4, 34, 46}, {5, 34, 46}, {7, 32, 48},
      {8, 32, 48}, {14, 29, 51}, {70, 1, 79}, {71, 3, 76}, {-1, 3, 76},
  };
  for (const auto& [width, left, right] : table) {
    MenuLayout layout;
    setFrameColumns(layout, width);
    EXPECT_EQ(layout.frameLeft, left) << width;
    EXPECT_EQ(layout.frameRight, right) << width;
  }
}

// Row of the n-th item (1-based) on the screen.
int itemRow(const MenuLayout& layout, int n) {
  return layout.itemBase + layout.itemSpacing * n;
}

TEST(MenuLayout, EveryCountFitsItsItemsInsideAFrameOnTheScreen) {
  int previousSpacing = 3;
  for (int items = 0; items <= 19; ++items) {
    SCOPED_TRACE(items);
    MenuLayout layout;
    setLayoutFor(layout, items);
    // The header above the frame, the footer below it and the prompt on 24.
    EXPECT_GE(layout.frameTop, 2);
    EXPECT_LE(layout.frameBottom, 22);
    EXPECT_LT(layout.frameTop, layout.frameBottom);
    // One row per item, in order, none on the frame; denser with more items.
    EXPECT_GE(layout.itemSpacing, 1);
    EXPECT_LE(layout.itemSpacing, previousSpacing);
    previousSpacing = layout.itemSpacing;
    if (items > 0) {
      const int above = itemRow(layout, 1) - layout.frameTop;
      const int below = layout.frameBottom - itemRow(layout, items);
      EXPECT_GE(above, 1);
      // Centred in the frame; an odd blank row goes below the items.
      EXPECT_GE(below - above, 0);
      EXPECT_LE(below - above, 1);
    }
  }
}

TEST(MenuLayout, RowsOfTheSmallestAndLargestMenus) {
  const struct {
    int items, frameTop, frameBottom, firstItemRow, lastItemRow;
  } cases[] = {
      {.items = 1, .frameTop = 6, .frameBottom = 11, .firstItemRow = 8, .lastItemRow = 8},
      {.items = 18, .frameTop = 3, .frameBottom = 22, .firstItemRow = 4, .lastItemRow = 21},
      // A hand-edited 19th item: one row higher than 18 so that all fit.
      {.items = 19, .frameTop = 2, .frameBottom = 22, .firstItemRow = 3, .lastItemRow = 21},
  };
  for (const auto& c : cases) {
    MenuLayout layout;
    setLayoutFor(layout, c.items);
    EXPECT_EQ(layout.frameTop, c.frameTop) << c.items;
    EXPECT_EQ(layout.frameBottom, c.frameBottom) << c.items;
    EXPECT_EQ(itemRow(layout, 1), c.firstItemRow) << c.items;
    EXPECT_EQ(itemRow(layout, c.items), c.lastItemRow) << c.items;
  }
  // An empty menu gets the frame of a one-item menu.
  MenuLayout empty;
  MenuLayout one;
  setLayoutFor(empty, 0);
  setLayoutFor(one, 1);
  EXPECT_EQ(empty.frameTop, one.frameTop);
  EXPECT_EQ(empty.frameBottom, one.frameBottom);
}

TEST(MenuScreen, HighlightMarkersAndWrapAround) {
  VirtualConsole console{80, 25};
  ConsoleScreen screen{console};
  MenuLayout layout;
  layout.itemBase = 4;
  layout.itemSpacing = 3;
  const ScreenColours colours;
  int item = 3;
  const auto move = [&](int items, int direction) {
    moveHighlight(screen, layout, colours, items, direction, item);
  };
  move(3, +1);
  EXPECT_EQ(item, 1);
  EXPECT_EQ(console.cellChar(6, 0), '>');
  EXPECT_EQ(console.cellChar(6, 77), '<');
  EXPECT_EQ(console.cellAttribute(6, 0), 0x11);
  move(3, -1);
  EXPECT_EQ(item, 3);
  // The old markers are blanked, the new ones written.
  EXPECT_EQ(console.cellChar(6, 0), ' ');
  EXPECT_EQ(console.cellChar(12, 77), '<');
  EXPECT_EQ(screen.attribute(), 0x17);
  item = 0;
  move(0, +1);
  EXPECT_EQ(item, 1);
  item = 0;
  move(0, -1);
  EXPECT_EQ(item, 0);
}

}  // namespace
}  // namespace menue
