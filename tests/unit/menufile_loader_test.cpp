// The MenuFile parse: one table of small texts with the model fields each
// must give, including the damaged and unusual files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menufile/menu_parse.h"

namespace menue {
namespace {

constexpr int Kept = 7;  // itemCount of the load before each case

struct LoaderCase {
  std::string name;
  std::string text;
  int result = 0;
  int items = 0;
  std::string header;
  int frameWidth = 0;
  std::vector<std::string> displays;  // display texts
  std::vector<std::string> parts;     // ExecutionParts
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
  return {
      {"bare file",
       bare,
       0,
       0,
       "",
       14,
       {},
       {},
       [](const MenuModel& m) {
         EXPECT_EQ(m.lineStart[1], 16);
         EXPECT_EQ(m.execStart[1], 35);  // just after the TAB, the end of the text
       }},
      {"example file",
       Tools,
       0,
       2,
       "Tools",
       15,
       {"Editor", "Backup to drive D"},
       {"1cd \\tools\r\nedit.exe\r\n", "2backup.exe d:\r\n"},
       [](const MenuModel& m) {
         EXPECT_EQ(m.lineStart[1], 33);
         EXPECT_EQ(m.lineStart[3], 60);
         EXPECT_EQ(m.execStart[1], 79);
         EXPECT_EQ(m.execStart[3], 119);
         EXPECT_EQ(m.textBeforeItems(), "Kopfzeile=Tools\r\n(Menuanzeige)\r\n");
       }},
      {"header taken from the first key, wherever it stands",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\nKopfzeile=late\r\nKopfzeile=x\r\n",
       0,
       1,
       "late",
       14,
       {"A"},
       {"1a\r\n"}},
      {"empty header", "Kopfzeile=\r\n" + bare, 0, 0, "", 14, {}, {}},
      {"header at the end of the text", bare + "Kopfzeile=open", 0, 0, "open", 14, {}, {}},
      {"display line holding the execution marker",
       "(Menuanzeige)\r\nA\r\nB (Menuausfuhrung) x\r\n\t1a\r\n\t",
       0,
       1,
       "",
       18,
       {"A"},
       {"1a\r\n"}},
      {"19 lines", lines(19), 0, 19, "", 14, numbered("Item ", 19), numbered("1echo ", 19, "\r\n")},
      {"20 lines",
       "Kopfzeile=H\r\n" + lines(20),
       2,
       Kept,
       "H",
       5,
       {},
       {},
       [](const MenuModel& m) {
         for (int i = 0; i <= 20; ++i) {
           EXPECT_EQ(m.lineStart[i], 0);
           EXPECT_EQ(m.execStart[i], 0);
         }
       }},
      {"no display marker", "Kopfzeile=X\r\n(Menuausfuhrung)\r\n\t", 1, Kept, "X", 0, {}, {}},
      {"empty text", "", 1, Kept, "", 0, {}, {}},
      {"display marker at the end of the text", "(Menuanzeige)", 2, Kept, "", 0, {}, {}},
      {"text after the end marker",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\tfree\ttext\r\n",
       0,
       1,
       "",
       14,
       {"A"},
       {"1a\r\n"},
       [](const MenuModel& m) { EXPECT_EQ(m.execStart[2], 43); }},
      {"missing end marker",
       "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b\r\n",
       0,
       2,
       "",
       14,
       {"A", "B"},
       {"1a\r\n", "2b\r\n"},
       [](const MenuModel& m) { EXPECT_EQ(m.execStart[3], m.execStart[2]); }},
      {"missing TAB",
       "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n",
       0,
       2,
       "",
       14,
       {"A", "B"},
       {"1a\r\n", ""},
       [](const MenuModel& m) {
         EXPECT_EQ(m.execStart[2], m.execStart[1]);
         EXPECT_EQ(m.execStart[3], m.execStart[1]);
       }},
      {"no TAB at all",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\t\r\n1a\r\n",
       0,
       1,
       "",
       15,
       {"A"},
       {""},
       [](const MenuModel& m) { EXPECT_EQ(m.execStart[1], 36); }},  // the marker line's CR
      {"LF line ends",
       "Kopfzeile=H\n(Menuanzeige)\nA\nBB\n(Menuausfuhrung)\n\t1a\n\t2b\nc\n\t\n",
       0,
       2,
       "H",
       14,
       {"A", "BB"},
       {"1a\n", "2b\nc\n"},
       [](const MenuModel& m) { EXPECT_EQ(m.displayLine(2), "BB\n"); }},
      {"mixed line ends",
       "Kopfzeile=H\r\n(Menuanzeige)\nA\r\nB\n(Menuausfuhrung)\r\n\t1a\n\t",
       0,
       2,
       "H",
       14,
       {"A", "B"},
       {"1a\n", ""},
       [](const MenuModel& m) {
         EXPECT_EQ(m.displayLine(1), "A\r\n");
         EXPECT_EQ(m.displayLine(2), "B\n");
         EXPECT_EQ(m.execStart[3], m.execStart[2]);  // its TAB is the last one
       }},
      {"lone CR is no line end",
       "(Menuanzeige)\r\nA\rB\r\n(Menuausfuhrung)\r\n\t1\t",
       0,
       1,
       "",
       14,
       {"A\rB"},
       {"1"}},
      {"marker followed by text keeps the two-character step",
       "(Menuanzeige)xyItem\r\n(Menuausfuhrung)\r\n\t1\t",
       0,
       1,
       "",
       14,
       {"Item"},
       {"1"}},
      {"file over 20000 bytes loaded whole",
       repeat('#', 25000) + "\r\nKopfzeile=Far\r\n" + lines(2),
       0,
       2,
       "Far",
       14,
       {"Item 1", "Item 2"},
       {"1echo 1\r\n", "1echo 2\r\n"}},
      {"overlong header, display line and ExecutionPart",
       "Kopfzeile=" + repeat('h', 500) + "\r\n(Menuanzeige)\r\n" + repeat('d', 5000) +
           "\r\nB\r\n(Menuausfuhrung)\r\n\t1" + repeat('c', 3000) + "\r\n\t2b\r\n\t",
       0,
       2,
       repeat('h', 500),
       4998,
       {repeat('d', 5000), "B"},
       {"1" + repeat('c', 3000) + "\r\n", "2b\r\n"}},
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

TEST(MenuFileLoader, FindsLineEnds) {
  EXPECT_EQ(findLineEnd("ab\r\ncd", 0).pos, 2u);
  EXPECT_EQ(findLineEnd("ab\r\ncd", 0).length, 2u);
  EXPECT_EQ(findLineEnd("ab\ncd", 1).pos, 2u);
  EXPECT_EQ(findLineEnd("ab\ncd", 1).length, 1u);
  // A CR before the starting point is not part of the line end found.
  EXPECT_EQ(findLineEnd("a\r\n", 2).length, 1u);
  EXPECT_EQ(findLineEnd("abc", 0).pos, std::string_view::npos);
  EXPECT_EQ(findLineEnd("abc", 9).pos, std::string_view::npos);
}

}  // namespace
}  // namespace menue
