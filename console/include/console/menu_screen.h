// The menu screen: items centred in a frame, the header above it, the footer
// when the directory holds further menus, the "--Home--" label away from
// home, and the highlight markers of the cursor keys.
#pragma once

#include "console/console_screen.h"
#include "console/key.h"
#include "console/screen_geometry.h"
#include "menufile/menu_model.h"

namespace menue {

// Placement of the drawn menu; rows and columns 1-based.
struct MenuLayout {
  int frameTop = 0;
  int frameBottom = 0;
  int itemBase = 0;
  int itemSpacing = 0;
  int frameLeft = FirstFrameLeft;
  int frameRight = FirstFrameRight;
};

// The colours of item text and of the highlighted item.
struct ScreenColours {
  int normalForeground = 7;
  int normalBackground = 1;
  int highlightForeground = 1;
  int highlightBackground = 7;
};

// Rows of the layout table for 1 to 18 items (and the choices for 0 and 19).
void setLayoutFor(MenuLayout& layout, int itemCount);
// Frame columns from the menu width.
void setFrameColumns(MenuLayout& layout, int frameWidth);
// The column of an item line's leading blank for a display text of
// `length` cells (centred, the half rounded up), and of a header's first
// cell (the half rounded down).
int itemLineColumn(int length);
int headerColumn(int length);
// The longest display text that no frame side overwrites, wherever the
// frame stands, and the longest header that stays on the screen; both in
// cells, worked out from the frame columns and the centring.
int longestFramedText();
int longestHeader();
// The item whose row a click hit; no range test, a half to the even item.
int itemAtRow(const MenuLayout& layout, int row);

// Blue screen and the item lines, the highlighted one inverted; sets the
// layout rows.
void drawMenuItems(ConsoleScreen& screen, const MenuModel& model, MenuLayout& layout,
                   int highlightedItem, const ScreenColours& colours);
// The frame lines, with its columns computed from the menu width.
void drawMenuFrame(ConsoleScreen& screen, const MenuModel& model, MenuLayout& layout);
// "-Menü weiter-" below the frame.
void drawFooter(ConsoleScreen& screen, const MenuLayout& layout);
void drawHeader(ConsoleScreen& screen, const MenuModel& model, const MenuLayout& layout);
// "--Home--" over the bottom frame line.
void drawHomeLabel(ConsoleScreen& screen, const MenuLayout& layout);
// Whether a click is on the columns of that label (drawn or not).
bool hitsHomeLabel(const MenuLayout& layout, const Click& click);

// Moves the highlight one item down (+1) or up (-1) with wrap-around over
// `itemCount` items and writes the row markers.
void moveHighlight(ConsoleScreen& screen, const MenuLayout& layout, const ScreenColours& colours,
                   int itemCount, int direction, int& highlightedItem);

}  // namespace menue
