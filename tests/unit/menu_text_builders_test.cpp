// The new MenuFile texts of the edits: creation, insertion, removal and
// swap, checked byte for byte and by loading the result again.
#include <gtest/gtest.h>

#include <string>

#include "menufile/menu_parse.h"
#include "menufile/menu_text_builders.h"

namespace menue {
namespace {

MenuModel parsed(const std::string& text) {
  MenuModel model;
  EXPECT_EQ(parseMenuText(model, text), ParseResult::Loaded);
  return model;
}

// Display text and ExecutionPart of every item, "display|part" each.
std::vector<std::string> items(const std::string& text) {
  const MenuModel model = parsed(text);
  std::vector<std::string> out;
  for (int i = 1; i <= model.itemCount; ++i) {
    out.push_back(model.displayText(i) + "|" + model.executionPart(i));
  }
  return out;
}

const std::string Head = "Kopfzeile=Tools\r\n(Menuanzeige)\r\n";
const std::string Three = Head +
                          "One\r\nTwo\r\nThree\r\n(Menuausfuhrung)\r\n"
                          "\t1a\r\n\t2b\r\nbb\r\n\t3c\r\n\t\r\nafter the end\r\n";

TEST(MenuFileBuilders, NewFileHasTheStructureCommentAndOneItem) {
  const std::string expected =
      "                Men\xFC"
      "anzeige  -  eizeilig bis 76 Zeichen\r\n"
      "                                 max. 18 Men\xFCpunkte\r\n"
      "              Men\xFC"
      "ausf\xFChrung - Tab + status + befehl + Enter\r\n"
      " ( bei mehrzeiligen aufrufen -     + befehl + Enter + befehl + Enter (usw.) )\r\n"
      "                  Men\xFC"
      "ende   - Tab\r\n"
      "       Status 1 = Programm gestartet - Men\xFC wartet (deault)\r\n"
      "              2 = Programm gestartet - Men\xFC l\xE4uft weiter\r\n"
      "              3 = Programm gestartet - Men\xFC beendet\r\n"
      "\r\n"
      "Kopfzeile=Tools\r\n(Menuanzeige)\r\nEditor\r\n(Menuausfuhrung)\r\n"
      "\t2cd \\tools\r\nedit.exe\r\n\t\r\n";
  EXPECT_EQ(newMenuFileText("Tools", "Editor", '2', "cd \\tools\r\nedit.exe\r\n"), expected);
  // Without command lines the item gets the placeholder "'".
  const std::string placeholder = newMenuFileText("", "Editor", '1', "");
  EXPECT_EQ(placeholder.substr(placeholder.size() - 26), "(Menuausfuhrung)\r\n\t1'\r\n\t\r\n");
  EXPECT_EQ(items(placeholder), std::vector<std::string>{"Editor|1'\r\n"});
}

TEST(MenuFileBuilders, InsertionKeepsEverythingElse) {
  const MenuModel model = parsed(Three);
  EXPECT_EQ(insertItemText(model, 1, "New", '2', "x\r\n"),
            Head +
                "New\r\nOne\r\nTwo\r\nThree\r\n(Menuausfuhrung)\r\n"
                "\t2x\r\n\t1a\r\n\t2b\r\nbb\r\n\t3c\r\n\t\r\nafter the end\r\n");
  // Appended without command lines: the status digit alone, the end marker
  // follows on the same line.
  EXPECT_EQ(insertItemText(model, 4, "New", '3', ""),
            Head +
                "One\r\nTwo\r\nThree\r\nNew\r\n(Menuausfuhrung)\r\n"
                "\t1a\r\n\t2b\r\nbb\r\n\t3c\r\n\t3\t\r\nafter the end\r\n");
  EXPECT_EQ(
      items(insertItemText(model, 2, "New", '1', "n\r\n")),
      (std::vector<std::string>{"One|1a\r\n", "New|1n\r\n", "Two|2b\r\nbb\r\n", "Three|3c\r\n"}));
}

TEST(MenuFileBuilders, InsertionPairsItemsInDamagedFiles) {
  // No end marker: the new last item closes the text the same way.
  const std::string open = Head + "One\r\n(Menuausfuhrung)\r\n\t1a\r\n";
  EXPECT_EQ(items(insertItemText(parsed(open), 2, "New", '2', "n\r\n")),
            (std::vector<std::string>{"One|1a\r\n", "New|2n\r\n"}));
  // Items without an opening TAB get empty parts before the new one.
  const std::string missing = Head + "One\r\nTwo\r\n(Menuausfuhrung)\r\n\t1a\r\n";
  EXPECT_EQ(items(insertItemText(parsed(missing), 3, "New", '2', "n\r\n")),
            (std::vector<std::string>{"One|1a\r\n", "Two|", "New|2n\r\n"}));
  // An unended marker line gets a line end before the new TABs.
  EXPECT_EQ(insertItemText(parsed(Head + "One\r\n(Menuausfuhrung)"), 2, "New", '2', ""),
            Head + "One\r\nNew\r\n(Menuausfuhrung)\r\n\t\t2");
  // An LF file stays one: the new display line and command lines end in LF,
  // and so does the rebuilt marker line of a removal.
  const std::string lf = "(Menuanzeige)\nOne\n(Menuausfuhrung)\n\t1a\n\t\n";
  EXPECT_EQ(insertItemText(parsed(lf), 1, "New", '1', "x\r\ny\r\n"),
            "(Menuanzeige)\nNew\nOne\n(Menuausfuhrung)\n\t1x\ny\n\t1a\n\t\n");
  EXPECT_EQ(removeItemText(parsed(lf + "\t2b\n"), 1), "(Menuanzeige)\n(Menuausfuhrung)\n\t");
  // A CR at the end of an LF text would join the new line end into a CR LF:
  // the insertion is refused rather than turning the file into a CR LF one.
  const std::string cr = "(Menuanzeige)\nA\n(Menuausfuhrung)\r";
  EXPECT_EQ(insertItemText(parsed(cr), 2, "New", '1', ""), cr);
  // So is a removal that would put the empty line after a CR.
  const std::string crs = "(Menuanzeige)\r\rA\n\nB\n(Menuausfuhrung)\n\t1a\n\t\t3c\n\t";
  EXPECT_EQ(removeItemText(parsed(crs), 1), crs);
}

TEST(MenuFileBuilders, RemovalRebuildsTheExecutionSection) {
  const MenuModel model = parsed(Three);
  EXPECT_EQ(removeItemText(model, 2),
            Head + "One\r\nThree\r\n(Menuausfuhrung)\r\n\t1a\r\n\t3c\r\n\t");
  // The last item: the TAB that opened it becomes the end marker.
  EXPECT_EQ(removeItemText(model, 3),
            Head + "One\r\nTwo\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b\r\nbb\r\n\t");
  // The only item: an empty menu that still loads.
  const std::string one = Head + "One\r\n(Menuausfuhrung) old text\r\n\t1a\r\n\t\r\n";
  const std::string empty = removeItemText(parsed(one), 1);
  EXPECT_EQ(empty, Head + "(Menuausfuhrung)\r\n\t");
  EXPECT_EQ(parsed(empty).itemCount, 0);
  // A missing end marker counts as one at the end of the text.
  const std::string open = Head + "One\r\nTwo\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b\r\n";
  EXPECT_EQ(removeItemText(parsed(open), 1), Head + "Two\r\n(Menuausfuhrung)\r\n\t2b\r\n\t");
}

TEST(MenuFileBuilders, SwapIsTheSameInEitherOrder) {
  const MenuModel model = parsed(Three);
  const std::string swapped = swapItemsText(model, 1, 3);
  EXPECT_EQ(swapped, swapItemsText(model, 3, 1));
  EXPECT_EQ(swapped,
            Head + "Three\r\nTwo\r\nOne\r\n(Menuausfuhrung)\r\n\t3c\r\n\t2b\r\nbb\r\n\t1a\r\n\t");
  const std::string open = Head + "One\r\nTwo\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b";
  EXPECT_EQ(items(swapItemsText(parsed(open), 1, 2)),
            (std::vector<std::string>{"Two|2b", "One|1a\r\n"}));
}

TEST(MenuFileBuilders, RoundTripGivesTheOriginalBytes) {
  const std::string created = newMenuFileText("Tools", "Editor", '1', "edit.exe\r\n");
  std::string text = insertItemText(parsed(created), 2, "Backup", '2', "backup d:\r\n");
  text = insertItemText(parsed(text), 1, "Shell", '3', "");
  ASSERT_EQ(parsed(text).itemCount, 3);
  text = swapItemsText(parsed(text), 1, 3);
  text = swapItemsText(parsed(text), 3, 1);
  text = removeItemText(parsed(text), 1);
  text = removeItemText(parsed(text), 2);
  // The one difference: a rebuilt execution section ends with the TAB.
  EXPECT_EQ(text, created.substr(0, created.size() - 2));
}

TEST(MenuFileBuilders, OutOfRangeLeavesTheText) {
  const MenuModel model = parsed(Three);
  EXPECT_EQ(insertItemText(model, 5, "x", '1', ""), Three);
  EXPECT_EQ(removeItemText(model, 0), Three);
  EXPECT_EQ(swapItemsText(model, 1, 4), Three);
  MenuModel failed = model;
  parseMenuText(failed, "no menu");
  EXPECT_EQ(removeItemText(failed, 1), "no menu");
  EXPECT_EQ(insertItemText(failed, 1, "x", '1', ""), "no menu");
  EXPECT_EQ(insertItemText(MenuModel{}, 1, "x", '1', ""), "");  // never loaded
}

}  // namespace
}  // namespace menue
