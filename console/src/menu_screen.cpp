// The menu screen: the fixed layout table, the frame columns from the menu
// width, the drawing of items, frame, footer, header and home label, and the
// highlight markers.
#include "console/menu_screen.h"

#include <algorithm>
#include <array>
#include <string>

#include "menufile/menu_encoding.h"
#include "menufile/number_reader.h"
#include "platform/text_width.h"

namespace menue {

namespace {

struct LayoutRow {
  int frameTop;
  int frameBottom;
  int itemBase;
};

// Frame and item rows for 1 to 18 items; they follow no formula.
constexpr std::array<LayoutRow, 18> LayoutTable{{
    {6, 11, 5},
    {6, 14, 5},
    {5, 16, 4},
    {5, 18, 4},
    {5, 21, 4},
    {4, 18, 4},
    {4, 20, 4},
    {4, 22, 4},
    {3, 22, 2},
    {4, 15, 4},
    {4, 16, 4},
    {4, 17, 4},
    {4, 18, 4},
    {4, 19, 4},
    {4, 20, 4},
    {4, 21, 4},
    {3, 21, 3},
    {3, 22, 3},
}};

// An empty menu gets the frame of a one-item menu; a hand-edited menu of 19
// items starts one row higher than one of 18 so that all rows fit.
constexpr LayoutRow EmptyLayout{6, 11, 5};
constexpr LayoutRow NineteenLayout{2, 22, 2};

// A text of the MenuFile as the screen shows it: a UTF-8 file's characters
// in the columns they take, else one cell per byte, the German letters of
// Windows-1252 made OEM, as a code page file has always shown.
struct ScreenText {
  bool characters;
  std::string text;  // UTF-8 when `characters`, else code page 850 bytes
  int columns() const { return characters ? textColumns(text) : static_cast<int>(text.size()); }
  void writeTo(ConsoleScreen& screen) const {
    if (characters) {
      screen.writeCharacters(text);
    } else {
      screen.writeText(text);
    }
  }
};

ScreenText screenText(const MenuModel& model, std::string_view text) {
  if (model.utf8) return {true, menuTextOf(text, TextEncoding::Utf8)};
  return {false, toOem(text)};
}

// The home label on the bottom frame line, and the columns a click hits it
// on: the drawing and the click test share this one place.
struct LabelPlace {
  int row;
  int firstColumn;
  int lastColumn;
};

LabelPlace homeLabelPlace(const MenuLayout& layout) {
  return {layout.frameBottom, layout.frameRight - HomeLabelOffset, layout.frameRight - 1};
}

constexpr char Vertical = '\xBA';
constexpr int ScreenColumns = 80;
// Beyond any text the checks meet: the searches stop there.
constexpr int LongestSearched = 4 * ScreenColumns;

// Whether a display text of `length` cells lies whole between the frame's
// sides when it is the widest line (the "(Menuausfuhrung)" line counts too).
bool framed(int length) {
  constexpr int ExecMarkerWidth = static_cast<int>(ExecMarker.size()) - 2;
  MenuLayout layout;
  setFrameColumns(layout, std::max(length - 2, ExecMarkerWidth));
  const int first = itemLineColumn(length) + 1;
  const int last = first + length - 1;
  return first - 1 >= 1 && first > layout.frameLeft && last < layout.frameRight;
}

bool onScreen(int length) {
  const int first = headerColumn(length);
  return first >= 1 && first + length - 1 <= ScreenColumns;
}

template <typename Fits>
int longestThat(Fits fits) {
  int length = 0;
  while (length < LongestSearched && fits(length + 1)) ++length;
  return length;
}
constexpr char Horizontal = '\xCD';

}  // namespace

void setLayoutFor(MenuLayout& layout, int itemCount) {
  LayoutRow row = itemCount <= 0   ? EmptyLayout
                  : itemCount > 18 ? NineteenLayout
                                   : LayoutTable[static_cast<std::size_t>(itemCount - 1)];
  layout.frameTop = row.frameTop;
  layout.frameBottom = row.frameBottom;
  layout.itemBase = row.itemBase;
  layout.itemSpacing = itemCount < 6 ? 3 : itemCount < 10 ? 2 : 1;
}

void setFrameColumns(MenuLayout& layout, int frameWidth) {
  if (frameWidth < 3 || frameWidth > 70) {
    layout.frameLeft = FullFrameLeft;
    layout.frameRight = FullFrameRight;
    return;
  }
  long half = roundHalfEven(frameWidth / 2.0);
  layout.frameLeft = FrameCentreLeft - static_cast<int>(half);
  layout.frameRight = FrameCentreRight + static_cast<int>(half);
}

int itemLineColumn(int length) {
  // The ceiling of len/2, as the item lines have always been centred.
  return CentreColumn - static_cast<int>(static_cast<double>(length) / 2 + 0.8);
}

int headerColumn(int length) {
  return CentreColumn - length / 2;
}

int longestFramedText() {
  return longestThat(framed);
}

int longestHeader() {
  return longestThat(onScreen);
}

int itemAtRow(const MenuLayout& layout, int row) {
  if (layout.itemSpacing == 0) return 0;
  return static_cast<int>(
      roundHalfEven(static_cast<double>(row - layout.itemBase) / layout.itemSpacing));
}

void drawMenuItems(ConsoleScreen& screen, const MenuModel& model, MenuLayout& layout,
                   int highlightedItem, const ScreenColours& colours) {
  screen.setColours(colours.normalForeground, colours.normalBackground);
  screen.clearScreen();
  const int count = model.items();
  setLayoutFor(layout, count);
  for (int i = 1; i <= count; ++i) {
    const ScreenText text = screenText(model, model.displayText(i));
    if (i == highlightedItem) {
      screen.setColours(colours.highlightForeground, colours.highlightBackground);
    } else {
      screen.setColours(colours.normalForeground, colours.normalBackground);
    }
    screen.moveTo(layout.itemBase + layout.itemSpacing * i, itemLineColumn(text.columns()));
    screen.writeText(" ");
    text.writeTo(screen);
    screen.writeText(" ");
  }
  screen.setColours(colours.normalForeground, colours.normalBackground);
}

void drawMenuFrame(ConsoleScreen& screen, const MenuModel& model, MenuLayout& layout) {
  setFrameColumns(layout, model.frameWidth);
  for (int row = layout.frameTop; row <= layout.frameBottom; ++row) {
    screen.moveTo(row, layout.frameLeft);
    screen.writeText(std::string(1, Vertical));
    screen.moveTo(row, layout.frameRight);
    screen.writeText(std::string(1, Vertical));
  }
  const std::string line(static_cast<std::size_t>(layout.frameRight - layout.frameLeft),
                         Horizontal);
  screen.moveTo(layout.frameTop, layout.frameLeft);
  screen.writeText(line);
  screen.moveTo(layout.frameBottom, layout.frameLeft);
  screen.writeText(line);
  screen.moveTo(layout.frameTop, layout.frameLeft);
  screen.writeText("\xC9");
  screen.moveTo(layout.frameBottom, layout.frameLeft);
  screen.writeText("\xC8");
  screen.moveTo(layout.frameTop, layout.frameRight);
  screen.writeText("\xBB");
  screen.moveTo(layout.frameBottom, layout.frameRight);
  screen.writeText("\xBC");
}

void drawFooter(ConsoleScreen& screen, const MenuLayout& layout) {
  screen.moveTo(layout.frameBottom + 1, FooterColumn);
  screen.printText("\xC8-Men\xFC weiter-\xBC");
}

void drawHeader(ConsoleScreen& screen, const MenuModel& model, const MenuLayout& layout) {
  if (model.header.empty()) return;
  const ScreenText header = screenText(model, model.header);
  screen.moveTo(layout.frameTop - 1, headerColumn(header.columns()));
  header.writeTo(screen);
  screen.endLine();
}

void drawHomeLabel(ConsoleScreen& screen, const MenuLayout& layout) {
  const LabelPlace place = homeLabelPlace(layout);
  screen.moveTo(place.row, place.firstColumn);
  screen.writeText("--Home--");
}

bool hitsHomeLabel(const MenuLayout& layout, const Click& click) {
  const LabelPlace place = homeLabelPlace(layout);
  return click.row == place.row && click.column >= place.firstColumn &&
         click.column <= place.lastColumn;
}

void moveHighlight(ConsoleScreen& screen, const MenuLayout& layout, const ScreenColours& colours,
                   int itemCount, int direction, int& highlightedItem) {
  int row = layout.itemBase + layout.itemSpacing * highlightedItem;
  screen.moveTo(row, LeftMarkerColumn);
  screen.writeText(" ");
  screen.moveTo(row, RightMarkerColumn);
  screen.writeText(" ");
  highlightedItem += direction;
  if (highlightedItem < 1) highlightedItem = itemCount;
  if (highlightedItem > itemCount) highlightedItem = 1;
  row = layout.itemBase + layout.itemSpacing * highlightedItem;
  // The markers take the highlight colour on the blue screen, not the
  // highlight background, so they do not stand out as a bar.
  screen.setColours(colours.highlightForeground, colours.normalBackground);
  screen.moveTo(row, LeftMarkerColumn);
  screen.writeText(">");
  screen.moveTo(row, RightMarkerColumn);
  screen.writeText("<");
  screen.setColours(colours.normalForeground, colours.normalBackground);
}

}  // namespace menue
