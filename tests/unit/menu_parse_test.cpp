// The MenuFile parse: one table of small texts with the model fields each
// must give, including the damaged and unusual files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menufile/menu_parse.h"

namespace menue {
namespace {

constexpr int Kept = 7;  // itemCount of the load before each case

// Every field has a default, so that a case names only what it sets.
struct LoaderCase {
  std::string name{};
  std::string text{};
  int result = 0;
  int items = 0;
  std::string header{};
  int frameWidth = 0;
  bool utf8 = false;
  std::vector<std::string> displays{};  // display texts
  std::vector<std::string> parts{};     // ExecutionParts
  // Extra checks on positions, for the cases that are about them.
  void (*positions)(const MenuModel&) = nullptr;
};

std::string repeat(char c, std::size_t n) {
  return std::string(n, c);
}

const std::string Tools =
    "Kopfzeile=Tools\r\n(Menuanzeige)\r\nEditor\r\nBackup to drive D\r\n(Menuausfuhrung)\r\n"
    "\t1cd \\tools\r\nedit.exe\r\n\t2backup.exe d:\r\n\t\r\n";

std::string lines(int count) {
  std::string text = "(Menuanzeige)\r\n";
  for (int i = 1; i <= count; ++i) text += "Item " + std::to_string(i) + "\r\n";
  text += "(Menuausfuhrung)\r\n";
  for (int i = 1; i <= count; ++i) text += "\t1echo " + std::to_string(i) + "\r\n";
  return text + "\t\r\n";
}

std::vector<std::string> numbered(const std::string& prefix, int count,
                                  const std::string& suffix = "") {
  std::vector<std::string> out;
  for (int i = 1; i <= count; ++i) out.push_back(prefix + std::to_string(i) + suffix);
  return out;
}

std::vector<LoaderCase> cases() {
  const std::string bare = "(Menuanzeige)\r\n(Menuausfuhrung)\r\n\t";
  // Left out: result 0 (loaded), no items, no header, no extra checks.
  const std::string wide =
      "(Menuanzeige)\r\nGr\xC3\xBC\xC3\x9F"
      "e aus K\xC3\xB6ln am Rhein\r\n"
      "(Menuausfuhrung)\r\n\t1a\r\n\t";
  return {
      {.name = "bare file",
       .text = bare,
       .frameWidth = 14,
       .positions =
           [](const MenuModel& m) {
             EXPECT_EQ(m.lineStart[1], 16);
             EXPECT_EQ(m.execStart[1], 35);  // just after the TAB, the end of the text
           }},
      {.name = "example file",
       .text = Tools,
       .items = 2,
       .header = "Tools",
       .frameWidth = 15,
       .displays = {"Editor", "Backup to drive D"},
       .parts = {"1cd \\tools\r\nedit.exe\r\n", "2backup.exe d:\r\n"},
       .positions =
           [](const MenuModel& m) {
             EXPECT_EQ(m.lineStart[1], 33);
             EXPECT_EQ(m.lineStart[3], 60);
             EXPECT_EQ(m.execStart[1], 79);
             EXPECT_EQ(m.execStart[3], 119);
             EXPECT_EQ(m.textBeforeItems(), "Kopfzeile=Tools\r\n(Menuanzeige)\r\n");
           }},
      {.name = "header taken from the first key, wherever it stands",
       .text = "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\nKopfzeile=late\r\n"
               "Kopfzeile=x\r\n",
       .items = 1,
       .header = "late",
       .frameWidth = 14,
       .displays = {"A"},
       .parts = {"1a\r\n"}},
      {.name = "empty header", .text = "Kopfzeile=\r\n" + bare, .frameWidth = 14},
      {.name = "header at the end of the text",
       .text = bare + "Kopfzeile=open",
       .header = "open",
       .frameWidth = 14},
      {.name = "display line holding the execution marker",
       .text = "(Menuanzeige)\r\nA\r\nB (Menuausfuhrung) x\r\n\t1a\r\n\t",
       .items = 1,
       .frameWidth = 18,
       .displays = {"A"},
       .parts = {"1a\r\n"}},
      {.name = "19 lines",
       .text = lines(19),
       .items = 19,
       .frameWidth = 14,
       .displays = numbered("Item ", 19),
       .parts = numbered("1echo ", 19, "\r\n")},
      {.name = "20 lines",
       .text = "Kopfzeile=H\r\n" + lines(20),
       .result = 2,
       .items = Kept,
       .header = "H",
       .frameWidth = 5,
       .positions =
           [](const MenuModel& m) {
             for (int i = 0; i <= 20; ++i) {
               EXPECT_EQ(m.lineStart[i], 0);
               EXPECT_EQ(m.execStart[i], 0);
             }
           }},
      {.name = "no display marker",
       .text = "Kopfzeile=X\r\n(Menuausfuhrung)\r\n\t",
       .result = 1,
       .items = Kept,
       .header = "X"},
      {.name = "empty text", .text = "", .result = 1, .items = Kept},
      {.name = "display marker at the end of the text",
       .text = "(Menuanzeige)",
       .result = 2,
       .items = Kept},
      {.name = "text after the end marker",
       .text = "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\tfree\ttext\r\n",
       .items = 1,
       .frameWidth = 14,
       .displays = {"A"},
       .parts = {"1a\r\n"},
       .positions = [](const MenuModel& m) { EXPECT_EQ(m.execStart[2], 43); }},
      {.name = "missing end marker",
       .text = "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b\r\n",
       .items = 2,
       .frameWidth = 14,
       .displays = {"A", "B"},
       .parts = {"1a\r\n", "2b\r\n"},
       .positions = [](const MenuModel& m) { EXPECT_EQ(m.execStart[3], m.execStart[2]); }},
      {.name = "missing TAB",
       .text = "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n",
       .items = 2,
       .frameWidth = 14,
       .displays = {"A", "B"},
       .parts = {"1a\r\n", ""},
       .positions =
           [](const MenuModel& m) {
             EXPECT_EQ(m.execStart[2], m.execStart[1]);
             EXPECT_EQ(m.execStart[3], m.execStart[1]);
           }},
      {.name = "no TAB at all",
       .text = "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\t\r\n1a\r\n",
       .items = 1,
       .frameWidth = 15,
       .displays = {"A"},
       .parts = {""},
       // The marker line's CR.
       .positions = [](const MenuModel& m) { EXPECT_EQ(m.execStart[1], 36); }},
      {.name = "LF line ends",
       .text = "Kopfzeile=H\n(Menuanzeige)\nA\nBB\n(Menuausfuhrung)\n\t1a\n\t2b\nc\n\t\n",
       .items = 2,
       .header = "H",
       .frameWidth = 14,
       .displays = {"A", "BB"},
       .parts = {"1a\n", "2b\nc\n"},
       .positions = [](const MenuModel& m) { EXPECT_EQ(m.displayLine(2), "BB\n"); }},
      // A file with a CR LF anywhere uses CR LF only: a lone LF inside a
      // display line neither splits the item nor shifts the commands.
      {.name = "lone LF in a CR LF file is an ordinary byte",
       .text = "Kopfzeile=LF\r\n(Menuanzeige)\r\nAB\nCD\r\nXY\r\n(Menuausfuhrung)\r\n"
               "\t1touch one\r\n\t1touch two\r\n\t\r\n",
       .items = 2,
       .header = "LF",
       .frameWidth = 14,
       .displays = {"AB\nCD", "XY"},
       .parts = {"1touch one\r\n", "1touch two\r\n"}},
      {.name = "lone LF after the marker in a CR LF file",
       .text = "Kopfzeile=H\n\r\n(Menuanzeige)\nA\r\nB\n(Menuausfuhrung)\r\n\t1a\n\t",
       .items = 1,
       .header = "H\n",
       .frameWidth = 16,
       .displays = {""},
       .parts = {"1a\n"}},
      {.name = "lone CR is no line end",
       .text = "(Menuanzeige)\r\nA\rB\r\n(Menuausfuhrung)\r\n\t1\t",
       .items = 1,
       .frameWidth = 14,
       .displays = {"A\rB"},
       .parts = {"1"}},
      {.name = "marker followed by text keeps the two-character step",
       .text = "(Menuanzeige)xyItem\r\n(Menuausfuhrung)\r\n\t1\t",
       .items = 1,
       .frameWidth = 14,
       .displays = {"Item"},
       .parts = {"1"}},
      {.name = "file over 20000 bytes loaded whole",
       .text = repeat('#', 25000) + "\r\nKopfzeile=Far\r\n" + lines(2),
       .items = 2,
       .header = "Far",
       .frameWidth = 14,
       .displays = {"Item 1", "Item 2"},
       .parts = {"1echo 1\r\n", "1echo 2\r\n"}},
      // 23 characters in 26 bytes.
      {.name = "UTF-8 text measured in characters",
       .text = wide,
       .items = 1,
       .frameWidth = 21,
       .utf8 = true,
       .displays = {"Gr\xC3\xBC\xC3\x9F"
                    "e aus K\xC3\xB6ln am Rhein"},
       .parts = {"1a\r\n"}},
      // The frame fits the columns: 日本語 takes six (21 columns in 18
      // characters); the e with its combining accent takes one.
      {.name = "UTF-8 text measured in columns",
       .text = "(Menuanzeige)\r\n\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E Ausgabe zeigen\r\n"
               "Cafe\xCC\x81\r\n(Menuausfuhrung)\r\n\t1a\r\n\t1b\r\n\t",
       .items = 2,
       .frameWidth = 19,
       .utf8 = true,
       .displays = {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E Ausgabe zeigen", "Cafe\xCC\x81"},
       .parts = {"1a\r\n", "1b\r\n"}},
      {.name = "overlong header, display line and ExecutionPart",
       .text = "Kopfzeile=" + repeat('h', 500) + "\r\n(Menuanzeige)\r\n" + repeat('d', 5000) +
               "\r\nB\r\n(Menuausfuhrung)\r\n\t1" + repeat('c', 3000) + "\r\n\t2b\r\n\t",
       .items = 2,
       .header = repeat('h', 500),
       .frameWidth = 4998,
       .displays = {repeat('d', 5000), "B"},
       .parts = {"1" + repeat('c', 3000) + "\r\n", "2b\r\n"}},
  };
}

TEST(MenuFileLoader, ParsesEachTextIntoTheModel) {
  for (const LoaderCase& c : cases()) {
    SCOPED_TRACE(c.name);
    MenuModel model;
    model.itemCount = Kept;
    EXPECT_EQ(static_cast<int>(parseMenuText(model, c.text)), c.result);
    EXPECT_EQ(model.rawText, c.text);
    EXPECT_EQ(model.loaded, c.result == 0);
    EXPECT_EQ(model.itemCount, c.items);
    EXPECT_EQ(model.header, c.header);
    EXPECT_EQ(model.frameWidth, c.frameWidth);
    EXPECT_EQ(model.utf8, c.utf8);
    if (c.result == 0) {
      std::vector<std::string> displays;
      std::vector<std::string> parts;
      for (int i = 1; i <= model.itemCount; ++i) {
        displays.push_back(model.displayText(i));
        parts.push_back(model.executionPart(i));
      }
      EXPECT_EQ(displays, c.displays);
      EXPECT_EQ(parts, c.parts);
    } else {
      EXPECT_EQ(model.items(), 0);
      EXPECT_EQ(model.displayText(1), "");
      EXPECT_EQ(model.executionPart(1), "");
    }
    if (c.positions) c.positions(model);
  }
}

TEST(MenuFileLoader, ATextDecidesItsLineEndOnce) {
  EXPECT_EQ(lineEndOf("a\nb\r\nc"), CrLf);
  EXPECT_EQ(lineEndOf("a\nb\nc"), Lf);
  EXPECT_EQ(lineEndOf("a\rb"), Lf);
  EXPECT_EQ(findLineEnd("ab\ncd\r\n", 0, CrLf).pos, 5u);
  EXPECT_EQ(findLineEnd("ab\ncd\r\n", 0, CrLf).length, 2u);
  EXPECT_EQ(findLineEnd("ab\ncd", 1, Lf).pos, 2u);
  EXPECT_EQ(findLineEnd("ab\ncd", 1, Lf).length, 1u);
  // A CR before the starting point is not part of the line end found.
  EXPECT_EQ(findLineEnd("a\r\n", 2, CrLf).pos, std::string_view::npos);
  EXPECT_EQ(findLineEnd("abc", 0, Lf).pos, std::string_view::npos);
  EXPECT_EQ(findLineEnd("abc", 9, CrLf).pos, std::string_view::npos);
}

}  // namespace
}  // namespace menue
