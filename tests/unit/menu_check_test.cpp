// The MenuFile checks: one table of hand-broken files and the exact lines
// the checker reports for each ("LINE: message"), sound files giving none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menufile/menu_check.h"

namespace menue {
namespace {

struct CheckCase {
  std::string name;
  std::string text;
  std::vector<std::string> lines;
  int items = 0;
};

// A sound CR LF menu of `count` items "Item n" running "echo n".
std::string menuOf(int count) {
  std::string text = "Kopfzeile=H\r\n(Menuanzeige)\r\n";
  for (int i = 1; i <= count; ++i) text += "Item " + std::to_string(i) + "\r\n";
  text += "(Menuausfuhrung)\r\n";
  for (int i = 1; i <= count; ++i) text += "\t1echo " + std::to_string(i) + "\r\n";
  return text + "\t\r\n";
}

const std::string StartsNothing = ": das Men\xFC startet seine Befehle nicht";

std::vector<CheckCase> cases() {
  return {
      {"sound", menuOf(2), {}, 2},
      {"sound with 18 items", menuOf(18), {}, 18},
      {"sound with LF line ends",
       "Kopfzeile=H\n(Menuanzeige)\nA\n(Menuausfuhrung)\n\t1a\n\t\n",
       {},
       1},
      {"no display marker",
       "Kopfzeile=H\r\n(Menueanzeige)\r\nA\r\n",
       {"1: (Menuanzeige) fehlt: das Men\xFC zeigt \"Dateifehler\" statt der Men\xFCpunkte"}},
      {"no execution marker",
       "Kopfzeile=H\r\n(Menuanzeige)\r\nA\r\n(Menuausfuehrung)\r\n\t1a\r\n\t\r\n",
       {"2: (Menuausfuhrung) fehlt nach (Menuanzeige): das Men\xFC meldet \"Dateifehler "
        "Menuausfuhrung nicht gefunden.\""}},
      {"20 items do not load",
       menuOf(20),
       {"23: (Menuausfuhrung) erst nach 20 Anzeigezeilen: das Men\xFC l\xE4"
        "dt h\xF6"
        "chstens 19 Men\xFCpunkte und meldet \"Dateifehler Menuausfuhrung nicht gefunden.\""}},
      {"19 items load",
       menuOf(19),
       {"21: Men\xFCpunkt 19 ist einer zu viel: das Men\xFC zeigt ihn, Men\xFC+ f\xFCgt aber "
        "nur bis 18 hinzu, und ab 20 Men\xFCpunkten l\xE4"
        "dt es die Datei nicht"},
       19},
      {"last items without a TAB",
       "(Menuanzeige)\r\nA\r\nB\r\nC\r\n(Menuausfuhrung)\r\n\t1a\r\n",
       {"3: zu wenige TABs nach (Menuausfuhrung): Men\xFCpunkt 2 hat keinen Ausf\xFChrungsteil, "
        "das Men\xFC startet bei ihm nichts"},
       3},
      // B's TAB is missing: A runs "1a" and "1b" as a script, B runs C's
      // command, and C gets the end marker's empty part.
      {"a TAB missing further up",
       "(Menuanzeige)\r\nA\r\nB\r\nC\r\n(Menuausfuhrung)\r\n\t1a\r\n1b\r\n\t1c\r\n\t\r\n",
       {"5: ein TAB zu wenig nach (Menuausfuhrung), und der letzte Ausf\xFChrungsteil ist leer: "
        "wohl fehlt der TAB eines Men\xFCpunkts, ab dort startet jeder Men\xFCpunkt die Befehle "
        "des n\xE4"
        "chsten",
        "9: Men\xFCpunkt 3: Status fehlt (1, 2 oder 3 gleich nach dem TAB)" + StartsNothing},
       3},
      {"no end marker",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n",
       {"4: Endmarke fehlt (ein TAB nach dem letzten Ausf\xFChrungsteil): das Men\xFC liest den "
        "letzten Ausf\xFChrungsteil bis zum Dateiende"},
       1},
      // With one item nothing can shift: the one TAB opens an empty part.
      {"one item with only a TAB",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t\r\n",
       {"4: Endmarke fehlt (ein TAB nach dem letzten Ausf\xFChrungsteil): das Men\xFC liest den "
        "letzten Ausf\xFChrungsteil bis zum Dateiende",
        "4: Men\xFCpunkt 1: Status fehlt (1, 2 oder 3 gleich nach dem TAB)" + StartsNothing},
       1},
      {"statuses outside 1-3",
       "(Menuanzeige)\r\nA\r\nB\r\nC\r\nD\r\n(Menuausfuhrung)\r\n\t4a\r\n\t\r\n\t0c\r\n\t3d\r\n\t",
       {"7: Men\xFCpunkt 1: Status '4' statt 1, 2 oder 3" + StartsNothing,
        "8: Men\xFCpunkt 2: Status fehlt (1, 2 oder 3 gleich nach dem TAB)" + StartsNothing,
        "9: Men\xFCpunkt 3: Status '0' statt 1, 2 oder 3" + StartsNothing},
       4},
      {"marker texts in display lines",
       "Kopfzeile=H\r\n(Menuanzeige)\r\n(Menuanzeige)\r\nKopfzeile=Zwei\r\n(Menuausfuhrung)\r\n"
       "\t1a\r\n\t1b\r\n\t\r\n",
       {"3: Anzeigezeile mit \"(Menuanzeige)\": das Men\xFC zeigt sie als Men\xFCpunkt 1",
        "4: Anzeigezeile mit \"Kopfzeile=\": das Men\xFC zeigt sie als Men\xFCpunkt 2"},
       2},
      {"header line below the display marker",
       "(Menuanzeige)\r\nKopfzeile=H\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n",
       {"2: Anzeigezeile mit \"Kopfzeile=\": das Men\xFC zeigt sie als Men\xFCpunkt 1 und nimmt "
        "die Kopfzeile aus ihr"},
       1},
      {"empty and blank display lines",
       "(Menuanzeige)\r\n\r\nA\r\n   \r\n(Menuausfuhrung)\r\n\t1a\r\n\t1b\r\n\t1c\r\n\t\r\n",
       {"2: leere Anzeigezeile: das Men\xFC zeigt Men\xFCpunkt 1 als leere Zeile",
        "4: leere Anzeigezeile: das Men\xFC zeigt Men\xFCpunkt 3 als leere Zeile"},
       3},
      // "(Menuanzeige) " with a trailing blank: item 1 starts at the LF.
      {"text behind the display marker",
       "(Menuanzeige) \r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n",
       {"1: Text hinter (Menuanzeige) in derselben Zeile: das Men\xFC beginnt Men\xFCpunkt 1 "
        "schon zwei Zeichen nach der Marke"},
       1},
      {"text after the end marker",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n\r\n\t1vergessen\r\n",
       {"7: Text hinter der Endmarke: das Men\xFC liest ihn nicht, und Men\xFC- oder Men\xFC* "
        "l\xF6schen ihn"},
       1},
      {"lone LFs in a CR LF file",
       "(Menuanzeige)\r\nA\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\n",
       {"2: Zeilenende LF in einer Datei mit CR LF (Zeilen mit LF: 2): das Men\xFC nimmt nur CR "
        "LF als Zeilenende und h\xE4ngt die n\xE4"
        "chste Zeile an diese an"},
       1},
      // Each check speaks for itself, in the order of the lines.
      {"several at once",
       "(Menuanzeige)\r\n\r\n(Menuausfuhrung)\r\n\t9\r\nrest\n",
       {"2: leere Anzeigezeile: das Men\xFC zeigt Men\xFCpunkt 1 als leere Zeile",
        "4: Men\xFCpunkt 1: Status '9' statt 1, 2 oder 3" + StartsNothing,
        "5: Endmarke fehlt (ein TAB nach dem letzten Ausf\xFChrungsteil): das Men\xFC liest den "
        "letzten Ausf\xFChrungsteil bis zum Dateiende",
        "5: Zeilenende LF in einer Datei mit CR LF (Zeilen mit LF: 1): das Men\xFC nimmt nur CR "
        "LF als Zeilenende und h\xE4ngt die n\xE4"
        "chste Zeile an diese an"},
       1},
  };
}

TEST(MenuCheckTest, Table) {
  for (const CheckCase& c : cases()) {
    SCOPED_TRACE(c.name);
    const MenuCheck check = checkMenuText(c.text);
    std::vector<std::string> lines;
    for (const MenuFinding& f : check.findings) {
      lines.push_back(std::to_string(f.line) + ": " + f.message);
    }
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(check.items, c.items);
  }
}

}  // namespace
}  // namespace menue
