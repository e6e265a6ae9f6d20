// The terminal mirror: exact bytes for small changes, glyphs instead of
// control bytes, nothing for an unchanged screen, the colour mapping, and
// the picture after another program wrote to the terminal.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/output/vt_mirror.h"
#include "platform/posix/output/vt_sequences.h"
#include "platform/screen_buffer.h"

namespace menue {
namespace {

class PosixVtMirror : public ::testing::Test {
 protected:
  PosixVtMirror() : screen(10, 3) {
    screen.setCursorVisible(false);
    render();  // the first picture; later renders show differences only
  }

  std::string render() {
    std::string out;
    mirror.render(screen, out);
    return out;
  }

  ScreenBuffer screen;
  VtMirror mirror;
};

TEST_F(PosixVtMirror, FirstRenderPaintsEveryCellWithoutControlBytes) {
  ScreenBuffer fresh(4, 2);
  fresh.write({0, 0}, std::string("\x00\x01\x09\x1b", 4), 0x07);
  fresh.write({1, 0}, "\x7f\x81\xc9\xf0", 0x07);
  VtMirror other;
  std::string out;
  other.render(fresh, out);
  // Every byte below 32 in the output is the ESC of a sequence of ours.
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c < 0x20) {
      EXPECT_EQ(c, 0x1b) << "at " << i;
      EXPECT_EQ(out[i + 1], '[') << "at " << i;
    }
  }
  // Blank for 0 (a blank cell, which the clear already shows), smiley,
  // circle, left arrow; house, u umlaut, corner, hyphen.
  EXPECT_EQ(fresh.cell(0, 0).ch, U' ');
  EXPECT_NE(out.find("\u263A\u25CB\u2190"), std::string::npos) << out;
  EXPECT_NE(out.find("\u2302\u00FC\u2554-"), std::string::npos) << out;
}

TEST_F(PosixVtMirror, SmallChangeSendsOnlyTheChangedCells) {
  screen.write({1, 2}, "ab", 0x17);
  EXPECT_EQ(render(), "\x1b[2;3H\x1b[37;44mab\x1b[1;1H");
}

// A wide character goes out once for its two cells; overwriting its second
// half resends the first as the blank it became.
TEST_F(PosixVtMirror, WideCharacterSentOnceAndItsCutHalfBlanked) {
  screen.writeText({1, 2}, "\u65E5b", 0x17);
  EXPECT_EQ(render(), "\x1b[2;3H\x1b[37;44m\u65E5b\x1b[1;1H");
  screen.write({1, 3}, "x", 0x17);
  EXPECT_EQ(render(), "\x1b[2;3H x\x1b[1;1H");
}

TEST_F(PosixVtMirror, NearbyChangesShareOneCursorMove) {
  screen.write({0, 1}, "x", 0x07);
  screen.write({0, 3}, "y", 0x07);
  screen.write({2, 8}, "z", 0x07);
  EXPECT_EQ(render(), "\x1b[1;2Hx y\x1b[3;9Hz\x1b[1;1H");
}

TEST_F(PosixVtMirror, ColourSentOnlyWhenTheAttributeChanges) {
  screen.write({0, 0}, "ab", 0x1E);
  screen.write({0, 2}, "cd", 0x1E);
  screen.write({0, 4}, "e", 0x07);
  // The cursor already stands at the start: no movement before the cells.
  EXPECT_EQ(render(), "\x1b[93;44mabcd\x1b[37;40me\x1b[1;1H");
}

TEST_F(PosixVtMirror, UnchangedScreenSendsNothing) {
  EXPECT_EQ(render(), "");
  // Writing what is already there changes nothing either.
  screen.write({0, 0}, "  ", 0x07);
  EXPECT_EQ(render(), "");
  screen.setCursor({2, 5});
  EXPECT_EQ(render(), "\x1b[3;6H");
  screen.setCursorVisible(true);
  EXPECT_EQ(render(), "\x1b[?25h");
  EXPECT_EQ(render(), "");
}

TEST_F(PosixVtMirror, CursorHiddenWhileDrawingWhenShown) {
  screen.setCursorVisible(true);
  render();
  screen.write({0, 9}, "q", 0x07);
  EXPECT_EQ(render(), "\x1b[?25l\x1b[1;10Hq\x1b[1;1H\x1b[?25h");
}

TEST_F(PosixVtMirror, ColourMapping) {
  const struct {
    Attribute attr;
    const char* sgr;
  } cases[] = {
      {0x07, "\x1b[37;40m"},   // light grey on black
      {0x17, "\x1b[37;44m"},   // light grey on blue
      {0x71, "\x1b[34;47m"},   // blue on light grey
      {0x42, "\x1b[32;41m"},   // green on red
      {0x63, "\x1b[36;43m"},   // cyan on brown
      {0x05, "\x1b[35;40m"},   // magenta
      {0x4E, "\x1b[93;41m"},   // yellow on red
      {0x9F, "\x1b[97;104m"},  // white on light blue
      {0xC8, "\x1b[90;101m"},  // dark grey on light red
      {0xBD, "\x1b[95;106m"},  // light magenta on light cyan
  };
  for (const auto& c : cases) {
    std::string out;
    vt::appendSgr(out, c.attr);
    EXPECT_EQ(out, c.sgr) << int(c.attr);
  }
}

TEST_F(PosixVtMirror, AfterAnotherProgramOnlyNewWritesAreSent) {
  screen.write({0, 0}, "menu", 0x17);
  render();
  mirror.forgetPicture(screen);
  // The program's output stays until the menu writes over it; only the
  // cursor, whose state is unknown now, is set.
  EXPECT_EQ(render(), "\x1b[1;1H\x1b[?25l");
  // A write is sent even where the buffer held the same before: the
  // terminal may show anything there now.
  screen.write({0, 0}, "m", 0x17);
  EXPECT_EQ(render(), "\x1b[37;44mm\x1b[1;1H");
  // Every cell written anew: one erase of the whole screen in the colour.
  screen.fill(' ', 0x17);
  EXPECT_EQ(render(), "\x1b[2J");
}

TEST_F(PosixVtMirror, RepaintAllClearsOnceAndSendsTheRest) {
  screen.fill(' ', 0x17);
  screen.write({1, 0}, "ab", 0x17);
  screen.write({2, 0}, "  ", 0x07);
  render();
  mirror.repaintAll();
  // The whole screen erased in the colour of most blanks; then only the
  // cells that differ from such a blank.
  EXPECT_EQ(render(), "\x1b[37;44m\x1b[2J\x1b[?25l\x1b[2;1Hab\x1b[3;1H\x1b[37;40m  \x1b[1;1H");
}

TEST_F(PosixVtMirror, LongBlankRunsAreErasedShortOnesWritten) {
  ScreenBuffer wide(30, 2);
  wide.setCursorVisible(false);
  wide.write({1, 0}, "x", 0x07);
  VtMirror other;
  std::string out;
  other.render(wide, out);
  out.clear();
  wide.write({0, 0}, "a" + std::string(10, ' ') + "b   c", 0x17);
  wide.write({0, 16}, std::string(14, ' '), 0x70);
  other.render(wide, out);
  // The rest of the row is erased in its own colour.
  EXPECT_EQ(out, "\x1b[37;44ma\x1b[10X\x1b[10Cb   c\x1b[30;47m\x1b[K\x1b[1;1H");
}

}  // namespace
}  // namespace menue
