// The menu screen: items centred in a frame, header above, the footer when
// the directory holds further menus, the "--Home--" label away from home.
#pragma once

namespace menue {

struct Program;

// Placement of the drawn menu; rows and columns 1-based.
struct MenuLayout {
  int frameTop = 0;
  int frameBottom = 0;
  int itemBase = 0;
  int itemSpacing = 0;
  int frameLeft = 3;
  int frameRight = 77;
};

// Rows of the layout table for 1 to 18 items (and the choices for 0 and 19).
void setLayoutFor(MenuLayout& layout, int itemCount);
// Frame columns from the menu width.
void setFrameColumns(MenuLayout& layout, int frameWidth);

void drawMenuItems(Program& program);
void drawMenuFrame(Program& program);

}  // namespace menue
