// Frame columns from the menu width and the rows of the layout table.
#include <gtest/gtest.h>

#include "console/menu_screen.h"

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

TEST(MenuLayout, RowsFromTheTable) {
  const std::tuple<int, int, int, int, int> table[] = {
      {1, 6, 11, 5, 3},  {2, 6, 14, 5, 3},  {3, 5, 16, 4, 3},  {5, 5, 21, 4, 3},
      {6, 4, 18, 4, 2},  {8, 4, 22, 4, 2},  {9, 3, 22, 2, 2},  {10, 4, 15, 4, 1},
      {16, 4, 21, 4, 1}, {17, 3, 21, 3, 1}, {18, 3, 22, 3, 1},
  };
  for (const auto& [items, top, bottom, base, spacing] : table) {
    MenuLayout layout;
    setLayoutFor(layout, items);
    EXPECT_EQ(layout.frameTop, top) << items;
    EXPECT_EQ(layout.frameBottom, bottom) << items;
    EXPECT_EQ(layout.itemBase, base) << items;
    EXPECT_EQ(layout.itemSpacing, spacing) << items;
  }
}

TEST(MenuLayout, EmptyAndNineteenItemsStayOnTheScreen) {
  for (int items : {0, 19}) {
    MenuLayout layout;
    setLayoutFor(layout, items);
    EXPECT_GE(layout.frameTop - 1, 1) << items;
    // The first and the last item lie inside the frame.
    if (items > 0) {
      EXPECT_GT(layout.itemBase + layout.itemSpacing, layout.frameTop) << items;
      EXPECT_LT(layout.itemBase + layout.itemSpacing * items, layout.frameBottom) << items;
    }
    EXPECT_LE(layout.frameBottom + 1, 23) << items;
  }
}

}  // namespace
}  // namespace menue
