// The shared screen buffer at its edges, in one table: refused cursor
// positions, writes cut at the right edge or dropped when they start outside,
// filling, scrolling and resizing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/screen_buffer.h"
#include "platform/utf8.h"

namespace menue {
namespace {

std::string rowsOf(const ScreenBuffer& screen) {
  std::string rows;
  for (int r = 0; r < screen.height(); ++r) {
    if (r > 0) rows += '|';
    for (const char32_t c : screen.rowText(r)) appendUtf8(rows, c == WideContinuation ? U'+' : c);
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

// Characters written as text: a wide one takes two cells ('+' marks the
// second), never straddles the edge, and loses both halves when either is
// overwritten; marks that combine take no cell; what a terminal would act
// on shows as a replacement in one cell.
TEST(ScreenBuffer, TextCellsByColumns) {
  const struct {
    const char* name;
    std::function<std::size_t(ScreenBuffer&)> act;
    std::size_t written;  // by the last write
    std::string rows;
  } cases[] = {
      {"wide character in two cells", [](ScreenBuffer&) -> std::size_t { return 0; }, 0,
       "a\u65E5+b|efgh"},
      {"wide at the edge left out",
       [](ScreenBuffer& s) {
         return s.writeText({1, 3}, "\u672C", 0x07);
       },
       0, "a\u65E5+b|efgh"},
      {"first half overwritten blanks the second",
       [](ScreenBuffer& s) {
         return s.write({0, 1}, "x", 0x07);
       },
       1, "ax b|efgh"},
      {"second half overwritten blanks the first",
       [](ScreenBuffer& s) {
         return s.writeText({0, 2}, "\u20AC", 0x07);
       },
       1, "a \u20ACb|efgh"},
      {"wide over wide, shifted by one",
       [](ScreenBuffer& s) {
         return s.writeText({0, 2}, "\u672C", 0x07);
       },
       2, "a \u672C+|efgh"},
      {"combining mark takes no cell",
       [](ScreenBuffer& s) {
         return s.writeText({1, 0}, "e\u0301z", 0x07);
       },
       2, "a\u65E5+b|ezgh"},
      {"controls and a stray byte replaced in one cell each",
       [](ScreenBuffer& s) {
         return s.writeText({1, 0}, "\x1b\u0085\xFF\uFFFF", 0x07);
       },
       4, "a\u65E5+b|\u2190\uFFFD\uFFFD\uFFFD"},
      {"narrowing drops a cut wide character whole",
       [](ScreenBuffer& s) -> std::size_t {
         s.resize(2, 2, 0x07);
         return 0;
       },
       0, "a |ef"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenBuffer screen(4, 2);
    screen.writeText({0, 0}, "a\u65E5b", 0x07);
    screen.write({1, 0}, "efgh", 0x07);
    EXPECT_EQ(c.act(screen), c.written);
    EXPECT_EQ(rowsOf(screen), c.rows);
  }
}

}  // namespace
}  // namespace menue
