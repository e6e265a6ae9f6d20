// The shared screen buffer at its edges, in one table: refused cursor
// positions, writes cut at the right edge or dropped when they start outside,
// filling, scrolling and resizing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/screen_buffer.h"

namespace menue {
namespace {

std::string rowsOf(const ScreenBuffer& screen) {
  std::string rows;
  for (int r = 0; r < screen.height(); ++r) {
    if (r > 0) rows += '|';
    rows += screen.rowText(r);
  }
  return rows;
}

TEST(ScreenBuffer, EdgeRules) {
  // What a write returns; -1 for the other operations.
  using Act = std::function<int(ScreenBuffer&)>;
  auto write = [](CellPos at, const char* bytes) -> Act {
    return [=](ScreenBuffer& s) { return static_cast<int>(s.write(at, bytes, 0x17)); };
  };
  auto cursorTo = [](CellPos pos) -> Act {
    return [=](ScreenBuffer& s) {
      s.setCursor(pos);
      return -1;
    };
  };
  auto resize = [](int width, int height) -> Act {
    return [=](ScreenBuffer& s) {
      s.resize(width, height, 0x17);
      return -1;
    };
  };
  const struct {
    const char* name;
    Act act;
    int result;
    std::string rows;
    CellPos cursor;
    bool changed;        // the write counter rose
    Attribute lastCell;  // the attribute of the bottom-right cell
  } cases[] = {
      {"cursor inside moves", cursorTo({0, 3}), -1, "abcd|efgh", {0, 3}, false, 0x07},
      {"cursor below stays", cursorTo({2, 0}), -1, "abcd|efgh", {1, 1}, false, 0x07},
      {"cursor right stays", cursorTo({0, 4}), -1, "abcd|efgh", {1, 1}, false, 0x07},
      {"cursor above stays", cursorTo({-1, 0}), -1, "abcd|efgh", {1, 1}, false, 0x07},
      {"cursor left stays", cursorTo({0, -1}), -1, "abcd|efgh", {1, 1}, false, 0x07},
      {"write cut at the right edge", write({1, 2}, "xyz"), 2, "abcd|efxy", {1, 1}, true, 0x17},
      {"write from the left of the buffer",
       write({1, -1}, "pqr"),
       0,
       "abcd|efgh",
       {1, 1},
       false,
       0x07},
      {"write from the right of it", write({0, 4}, "x"), 0, "abcd|efgh", {1, 1}, false, 0x07},
      {"write below it", write({2, 0}, "x"), 0, "abcd|efgh", {1, 1}, false, 0x07},
      {"write above it", write({-1, 0}, "x"), 0, "abcd|efgh", {1, 1}, false, 0x07},
      {"empty write", write({0, 0}, ""), 0, "abcd|efgh", {1, 1}, false, 0x07},
      {"fill",
       [](ScreenBuffer& s) {
         s.fill('.', 0x17);
         return -1;
       },
       -1,
       "....|....",
       {1, 1},
       true,
       0x17},
      {"scroll",
       [](ScreenBuffer& s) {
         s.scrollUp(0x17);
         return -1;
       },
       -1,
       "efgh|    ",
       {1, 1},
       true,
       0x17},
      {"resize larger keeps the content",
       resize(5, 3),
       -1,
       "abcd |efgh |     ",
       {1, 1},
       true,
       0x17},
      {"resize shorter moves the cursor up", resize(3, 1), -1, "abc", {0, 1}, true, 0x07},
      {"resize narrower moves the cursor left", resize(1, 2), -1, "a|e", {1, 0}, true, 0x07},
      {"resize to nothing keeps one cell", resize(0, -2), -1, "a", {0, 0}, true, 0x07},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenBuffer screen(4, 2);
    screen.write({0, 0}, "abcd", 0x07);
    screen.write({1, 0}, "efgh", 0x07);
    screen.setCursor({1, 1});
    const std::uint64_t before = screen.generation();
    EXPECT_EQ(c.act(screen), c.result);
    EXPECT_EQ(rowsOf(screen), c.rows);
    EXPECT_EQ(screen.cursor(), c.cursor);
    EXPECT_EQ(screen.generation() > before, c.changed);
    EXPECT_EQ(screen.cell(screen.height() - 1, screen.width() - 1).attr, c.lastCell);
  }
}

}  // namespace
}  // namespace menue
