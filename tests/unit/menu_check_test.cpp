// The MenuFile checks: one table of hand-broken files and the exact lines
// the checker reports for each ("LINE[:COLUMN]: KIND: message"), a table of
// sound files giving none, and where checker and menu could disagree (the
// loader's items, the frame drawn over a long line), that they do not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/menu_screen.h"
#include "menufile/menu_check.h"
#include "menufile/menu_parse.h"
#include "modes/menu_check_command.h"
#include "platform/virtual/virtual_platform.h"

namespace menue {
namespace {

struct CheckCase {
  std::string name;
  std::string text;
  std::vector<std::string> lines;
  int items = 0;
};

// A sound menu of `count` items "Item n" running "echo n", with line end `end`.
std::string menuOf(int count, const std::string& end = "\r\n") {
  std::string text = "Kopfzeile=H" + end + "(Menuanzeige)" + end;
  for (int i = 1; i <= count; ++i) text += "Item " + std::to_string(i) + end;
  text += "(Menuausfuhrung)" + end;
  for (int i = 1; i <= count; ++i) text += "\t1echo " + std::to_string(i) + end;
  return text + "\t" + end;
}

std::string menuOf(const std::string& header, const std::vector<std::string>& items,
                   const std::vector<std::string>& parts, const std::string& end = "\r\n") {
  std::string text = "Kopfzeile=" + header + end + "(Menuanzeige)" + end;
  for (const std::string& item : items) text += item + end;
  text += "(Menuausfuhrung)" + end;
  for (const std::string& part : parts) text += part + end;
  return text;
}

std::string repeated(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

std::string utf16(const std::string& ascii, bool big) {
  std::string out;
  for (const char c : ascii) {
    out += big ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return out;
}

const std::string Fix = "das Men\xFC";
const std::string StartsNothing =
    ": das Men\xFC startet seine Befehle nicht; gleich nach dem TAB 1, 2 oder 3 schreiben";
const std::string Shifted =
    "jeder folgende Men\xFCpunkt startet die Befehle des n\xE4"
    "chsten";

std::vector<CheckCase> brokenCases() {
  const std::string oneItem = "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n";
  const std::string longLine(73, 'x');
  return {
      // Found as sound before, broken in use.
      {"cd with blanks at its end",
       menuOf("T", {"Projekt"}, {"\t1cd /tmp   ", "\t"}),
       {"5:10: Fehler: Leerzeichen am Ende des Verzeichniswechsels von Men\xFCpunkt 1: das Men\xFC "
        "sucht das Verzeichnis mit den Leerzeichen und meldet \"Verzeichnis nicht gefunden.\"; "
        "die Leerzeichen am Zeilenende l\xF6schen"},
       1},
      {"empty line after a single cd line",
       menuOf("T", {"Projekt", "B"}, {"\t1cd /tmp", "", "\t1b", "\t"}),
       {"7: Fehler: leere Zeile nach dem Verzeichniswechsel von Men\xFCpunkt 1: das Men\xFC "
        "f\xFChrt den Men\xFCpunkt dann als Skript aus und wechselt sein eigenes Verzeichnis "
        "nicht; die leere Zeile l\xF6schen"},
       2},
      {"display line one character too long",
       menuOf("T", {longLine}, {"\t1a", "\t"}),
       {"3:73: Warnung: Anzeigezeile mit 73 Zeichen: in den Rahmen passen 72, das Men\xFC "
        "\xFC"
        "berschreibt den Rest mit dem Rahmen; auf 72 Zeichen k\xFCrzen"},
       1},
      // Counted in characters in a UTF-8 file.
      {"UTF-8 display line too long",
       menuOf("T", {std::string(72, 'x') + "\xC3\xBC\xC3\xBC"}, {"\t1a", "\t"}),
       {"3:73: Warnung: Anzeigezeile mit 74 Zeichen: in den Rahmen passen 72, das Men\xFC "
        "\xFC"
        "berschreibt den Rest mit dem Rahmen; auf 72 Zeichen k\xFCrzen"},
       1},
      // Counted in columns where wide characters take two: 37 of them are
      // 74 columns, and the cut falls before the 37th, which would straddle.
      {"wide display line too long",
       menuOf("T", {repeated("\xE6\x97\xA5", 37)}, {"\t1a", "\t"}),
       {"3:37: Warnung: Anzeigezeile mit 74 Spalten: in den Rahmen passen 72, das Men\xFC "
        "\xFC"
        "berschreibt den Rest mit dem Rahmen; auf 72 Spalten k\xFCrzen"},
       1},
      {"wide text straddling the frame",
       menuOf("T", {"x" + repeated("\xE6\x97\xA5", 36)}, {"\t1a", "\t"}),
       {"3:37: Warnung: Anzeigezeile mit 73 Spalten: in den Rahmen passen 72, das Men\xFC "
        "\xFC"
        "berschreibt den Rest mit dem Rahmen; auf 72 Spalten k\xFCrzen"},
       1},
      {"wide header off the screen",
       menuOf(repeated("\xE6\x97\xA5", 40), {"A"}, {"\t1a", "\t"}),
       {"1:50: Warnung: Kopfzeile mit 80 Spalten: auf den Bildschirm passen 79, das Men\xFC "
        "schreibt sie \xFC"
        "ber den Rand hinaus; auf 79 Spalten k\xFCrzen"},
       1},
      {"header off the screen",
       menuOf(std::string(80, 'K'), {"A"}, {"\t1a", "\t"}),
       {"1:90: Warnung: Kopfzeile mit 80 Zeichen: auf den Bildschirm passen 79, das Men\xFC "
        "schreibt sie \xFC"
        "ber den Rand hinaus; auf 79 Zeichen k\xFCrzen"},
       1},
      {"UTF-8 and Windows-1252 mixed",
       menuOf("T", {"M\xC3\xBCll", "K\xE4se"}, {"\t1a", "\t1b", "\t"}),
       {"4:2: Fehler: Byte 0xE4 ist kein UTF-8, die Datei hat aber UTF-8 (Zeile 3): das Men\xFC "
        "liest sie dann nicht als UTF-8 und zeigt jeden UTF-8-Buchstaben als zwei Zeichen; die "
        "ganze Datei in einer Kodierung speichern (UTF-8 oder ANSI)"},
       2},
      {"header key with a blank before =",
       "Kopfzeile = Tools\r\n" + oneItem,
       {"1:1: Fehler: \"Kopfzeile =\" statt \"Kopfzeile=\": das Men\xFC zeigt keine Kopfzeile; "
        "genau \"Kopfzeile=\" schreiben (gro\xDF"
        "es K, kein Leerzeichen vor dem =)"},
       1},
      {"header key in another case",
       "  kopfzeile=Tools\r\n" + oneItem,
       {"1:3: Fehler: \"kopfzeile=\" statt \"Kopfzeile=\": das Men\xFC zeigt keine Kopfzeile; "
        "genau \"Kopfzeile=\" schreiben (gro\xDF"
        "es K, kein Leerzeichen vor dem =)"},
       1},
      // Wrong cause or wrong line before.
      {"UTF-16 little endian with byte order mark",
       "\xFF\xFE" + utf16(menuOf(1), false),
       {"1: Fehler: Datei ist als UTF-16 Little Endian (\"Unicode\") mit Byte-Order-Mark "
        "gespeichert: das Men\xFC liest Bytes und findet darin keine Marke; als ANSI oder UTF-8 "
        "speichern"}},
      {"UTF-16 big endian without byte order mark",
       utf16(menuOf(1), true),
       {"1: Fehler: Datei ist als UTF-16 Big Endian (\"Unicode\") ohne Byte-Order-Mark "
        "gespeichert: das Men\xFC liest Bytes und findet darin keine Marke; als ANSI oder UTF-8 "
        "speichern"}},
      {"UTF-8 byte order mark before the header",
       "\xEF\xBB\xBF" + menuOf(1),
       {"1:1: Hinweis: UTF-8-Byte-Order-Mark am Dateianfang: das Men\xFC \xFC"
        "bergeht sie und zeigt die Kopfzeile trotzdem; wer sie nicht will: als UTF-8 ohne BOM "
        "speichern"},
       1},
      {"CR-only line ends",
       menuOf(1, "\r"),
       {"1: Fehler: Zeilenenden nur CR (ohne LF): das Men\xFC sieht die ganze Datei als eine "
        "Zeile; mit Zeilenende CR LF (Windows) oder LF speichern"}},
      {"display marker in lower case",
       "Kopfzeile=T\r\n(menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n",
       {"2:1: Fehler: \"(menuanzeige)\" ist nicht die Marke \"(Menuanzeige)\": das Men\xFC "
        "erkennt nur genau diese Schreibweise; \"(Menuanzeige)\" schreiben (Gro\xDF- und "
        "Kleinschreibung wie hier, u statt \xFC, ohne Leerzeichen)"}},
      {"execution marker with umlauts",
       "Kopfzeile=T\r\n(Menuanzeige)\r\nA\r\n(Men\xFC"
       "ausf\xFChrung)\r\n\t1a\r\n\t\r\n",
       {"4:1: Fehler: \"(Men\xFC"
        "ausf\xFChrung)\" ist nicht die Marke \"(Menuausfuhrung)\": das Men\xFC erkennt nur "
        "genau diese Schreibweise; \"(Menuausfuhrung)\" schreiben (Gro\xDF- und "
        "Kleinschreibung wie hier, u statt \xFC, ohne Leerzeichen)"}},
      {"blanks where a TAB belongs",
       menuOf("T", {"A", "B"}, {"\t1a", "        1b", "\t"}),
       {"7:1: Fehler: Leerzeichen statt TAB vor dem Status von Men\xFCpunkt 2: das Men\xFC sieht "
        "hier keinen neuen Ausf\xFChrungsteil, und " +
        Shifted + "; TAB statt Leerzeichen am Zeilenanfang"},
       2},
      // An editor that expanded every TAB, the end marker's too.
      {"every TAB expanded",
       menuOf("T", {"A", "B"}, {"        1a", "        1b", "        "}),
       {"6:1: Fehler: Leerzeichen statt TAB vor dem Status von Men\xFCpunkt 1: das Men\xFC sieht "
        "hier keinen neuen Ausf\xFChrungsteil, und " +
            Shifted + "; TAB statt Leerzeichen am Zeilenanfang",
        "7:1: Fehler: Leerzeichen statt TAB vor dem Status von Men\xFCpunkt 2: das Men\xFC sieht "
        "hier keinen neuen Ausf\xFChrungsteil, und " +
            Shifted + "; TAB statt Leerzeichen am Zeilenanfang",
        "8:1: Fehler: Leerzeichen statt TAB als Endmarke: das Men\xFC liest den letzten "
        "Ausf\xFChrungsteil bis zum Dateiende; TAB statt Leerzeichen"},
       2},
      // B's TAB is missing: reported at B's line, without the shifted
      // statuses that follow from it.
      {"a TAB missing in the middle",
       "(Menuanzeige)\r\nA\r\nB\r\nC\r\n(Menuausfuhrung)\r\n\t1a\r\n1b\r\n\t1c\r\n\t\r\n",
       {"7:1: Fehler: TAB fehlt vor dem Status von Men\xFCpunkt 2: das Men\xFC nimmt die Zeile zu "
        "Men\xFCpunkt 1, und " +
        Shifted + "; einen TAB an den Zeilenanfang setzen"},
       3},
      // The first item's TAB: the line before it belongs to no item, and is
      // reported once, as the missing TAB.
      {"the first TAB missing",
       "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n1a\r\n\t1b\r\n\t\r\n",
       {"5:1: Fehler: TAB fehlt vor dem Status von Men\xFCpunkt 1: das Men\xFC \xFC"
        "berspringt die Zeile, und " +
        Shifted + "; einen TAB an den Zeilenanfang setzen"},
       2},
      {"one CR LF in an LF file",
       "Kopfzeile=T\n(Menuanzeige)\nA\r\n(Menuausfuhrung)\n\t1a\n\t\n",
       {"3:2: Fehler: Zeilenende CR LF in einer Datei mit LF (Zeilen mit CR LF: 1): das Men\xFC "
        "nimmt dann nur CR LF als Zeilenende und h\xE4ngt die Zeilen mit LF aneinander; das CR "
        "am Zeilenende l\xF6schen"},
       1},
      {"lone LFs in a CR LF file",
       "(Menuanzeige)\r\nA\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\n",
       {"2: Fehler: Zeilenende LF in einer Datei mit CR LF (Zeilen mit LF: 2): das Men\xFC nimmt "
        "nur CR LF als Zeilenende und h\xE4ngt die n\xE4"
        "chste Zeile an diese an; die Datei einheitlich mit CR LF speichern"},
       1},
      // Severities.
      {"19 items",
       menuOf(19),
       {"21: Warnung: Men\xFCpunkt 19 ist einer zu viel: das Men\xFC zeigt ihn, Men\xFC+ f\xFCgt "
        "aber nur bis 18 hinzu, und ab 20 Men\xFCpunkten l\xE4"
        "dt es die Datei nicht; einen Men\xFCpunkt in ein weiteres Men\xFC (Men\xFC++) verlegen"},
       19},
      {"DOS end-of-file mark after the end marker",
       oneItem + "\x1A",
       {"6:1: Hinweis: DOS-Dateiende (Strg+Z) hinter der Endmarke: das Men\xFC liest es nicht; es "
        "kann bleiben"},
       1},
      // The findings that were right before, each saying what to change.
      {"no display marker",
       "Kopfzeile=H\r\n(Menueanzeigen)\r\nA\r\n",
       {"1: Fehler: (Menuanzeige) fehlt: das Men\xFC zeigt \"Dateifehler\" statt der "
        "Men\xFCpunkte; vor die erste Anzeigezeile eine Zeile (Menuanzeige) einf\xFCgen"}},
      {"no execution marker",
       "Kopfzeile=H\r\n(Menuanzeige)\r\nA\r\n(Ausfuhrung)\r\n\t1a\r\n\t\r\n",
       {"2: Fehler: (Menuausfuhrung) fehlt nach (Menuanzeige): das Men\xFC meldet \"Dateifehler "
        "Menuausfuhrung nicht gefunden.\"; nach der letzten Anzeigezeile eine Zeile "
        "(Menuausfuhrung) einf\xFCgen"}},
      {"20 items do not load",
       menuOf(20),
       {"23: Fehler: (Menuausfuhrung) erst nach 20 Anzeigezeilen: das Men\xFC l\xE4"
        "dt h\xF6"
        "chstens 19 Men\xFCpunkte und meldet \"Dateifehler Menuausfuhrung nicht gefunden.\"; "
        "Men\xFCpunkte auf h\xF6"
        "chstens 18 k\xFCrzen"}},
      {"last items without a TAB",
       "(Menuanzeige)\r\nA\r\nB\r\nC\r\n(Menuausfuhrung)\r\n\tcmd a\r\n",
       {"3: Fehler: zu wenige TABs nach (Menuausfuhrung): Men\xFCpunkt 2 hat keinen "
        "Ausf\xFChrungsteil, das Men\xFC startet bei ihm nichts; f\xFCr ihn eine Zeile TAB, "
        "Status und Befehl anf\xFCgen",
        "6:2: Fehler: Men\xFCpunkt 1: Status 'c' statt 1, 2 oder 3" + StartsNothing},
       3},
      {"no end marker",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n",
       {"4: Hinweis: Endmarke fehlt (ein TAB nach dem letzten Ausf\xFChrungsteil): das Men\xFC "
        "liest den letzten Ausf\xFChrungsteil bis zum Dateiende; eine Zeile mit nur einem TAB "
        "anf\xFCgen"},
       1},
      {"statuses outside 1-3",
       "(Menuanzeige)\r\nA\r\nB\r\nC\r\nD\r\n(Menuausfuhrung)\r\n\t4a\r\n\t\r\n\t0c\r\n\t3d\r\n\t",
       {"7:2: Fehler: Men\xFCpunkt 1: Status '4' statt 1, 2 oder 3" + StartsNothing,
        "8:2: Fehler: Men\xFCpunkt 2: Status fehlt" + StartsNothing,
        "9:2: Fehler: Men\xFCpunkt 3: Status '0' statt 1, 2 oder 3" + StartsNothing},
       4},
      {"marker texts in display lines",
       "Kopfzeile=H\r\n(Menuanzeige)\r\n(Menuanzeige)\r\nKopfzeile=Zwei\r\n(Menuausfuhrung)\r\n"
       "\t1a\r\n\t1b\r\n\t\r\n",
       {"3: Warnung: Anzeigezeile mit \"(Menuanzeige)\": das Men\xFC zeigt sie als Men\xFCpunkt 1; "
        "die doppelte Marke l\xF6schen",
        "4: Warnung: Anzeigezeile mit \"Kopfzeile=\": das Men\xFC zeigt sie als Men\xFCpunkt 2; "
        "die Kopfzeile vor (Menuanzeige) stellen"},
       2},
      {"empty display line",
       "(Menuanzeige)\r\n\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t1b\r\n\t\r\n",
       {"2: Warnung: leere Anzeigezeile: das Men\xFC zeigt Men\xFCpunkt 1 als leere Zeile; einen "
        "Text eintragen oder den Men\xFCpunkt mit Men\xFC- entfernen"},
       2},
      {"text behind the display marker",
       "(Menuanzeige) \r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n",
       {"1:14: Fehler: Text hinter (Menuanzeige) in derselben Zeile: das Men\xFC beginnt "
        "Men\xFCpunkt 1 schon zwei Zeichen nach der Marke; den Text hinter der Marke l\xF6schen"},
       1},
      // Passed over on the way to the first TAB; blank lines there are not.
      {"a line before the first TAB",
       menuOf("T", {"A"}, {"echo vorher", "\t1a", "\t"}),
       {"5:1: Warnung: Zeile zwischen (Menuausfuhrung) und dem ersten TAB: das Men\xFC \xFC"
        "berspringt sie, kein Men\xFCpunkt f\xFChrt sie aus; als Befehl hinter TAB und Status "
        "eines Men\xFCpunkts stellen oder l\xF6schen"},
       1},
      {"several lines before the first TAB, reported once",
       menuOf("T", {"A"}, {"", "  rem eins", "   ", "zwei", "\t1a", "\t"}),
       {"6:3: Warnung: 2 Zeilen zwischen (Menuausfuhrung) und dem ersten TAB: das Men\xFC \xFC"
        "berspringt sie, kein Men\xFCpunkt f\xFChrt sie aus; als Befehl hinter TAB und Status "
        "eines Men\xFCpunkts stellen oder l\xF6schen"},
       1},
      {"a line before the end marker of a menu without items",
       "(Menuanzeige)\r\n(Menuausfuhrung)\r\nx\r\n\t\r\n",
       {"3:1: Warnung: Zeile zwischen (Menuausfuhrung) und dem ersten TAB: das Men\xFC \xFC"
        "berspringt sie, kein Men\xFCpunkt f\xFChrt sie aus; als Befehl hinter TAB und Status "
        "eines Men\xFCpunkts stellen oder l\xF6schen"},
       0},
      {"text after the end marker",
       "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n\r\n\t1vergessen\r\n",
       {"7: Warnung: Text hinter der Endmarke: das Men\xFC liest ihn nicht, und Men\xFC- oder "
        "Men\xFC* l\xF6schen ihn; ihn vor die Endmarke stellen oder l\xF6schen"},
       1},
  };
}

std::vector<std::string> reported(const MenuCheck& check) {
  constexpr const char* Kinds[] = {"Fehler", "Warnung", "Hinweis"};
  std::vector<std::string> lines;
  for (const MenuFinding& f : check.findings) {
    std::string place = std::to_string(f.line);
    if (f.column > 0) place += ":" + std::to_string(f.column);
    lines.push_back(place + ": " + Kinds[static_cast<int>(f.severity)] + ": " + f.message);
  }
  return lines;
}

// The items the checker reports are the ones the loader gives.
void expectLoaderAgrees(const std::string& text, const MenuCheck& check) {
  MenuModel model;
  const bool loads = parseMenuText(model, text) == ParseResult::Loaded;
  EXPECT_EQ(check.loads, loads);
  EXPECT_EQ(check.items, loads ? model.itemCount : 0);
}

TEST(MenuCheckTest, BrokenFiles) {
  for (const CheckCase& c : brokenCases()) {
    SCOPED_TRACE(c.name);
    const MenuCheck check = checkMenuText(c.text, menuCheckRules());
    EXPECT_EQ(reported(check), c.lines);
    EXPECT_EQ(check.items, c.items);
    expectLoaderAgrees(c.text, check);
  }
}

TEST(MenuCheckTest, SoundFilesHaveNoFinding) {
  const std::string fullHeader(static_cast<std::size_t>(longestHeader()), 'K');
  const std::string fullLine(static_cast<std::size_t>(longestFramedText()), 'x');
  const std::vector<CheckCase> cases = {
      {"CR LF", menuOf(2), {}, 2},
      {"LF only", menuOf(2, "\n"), {}, 2},
      {"18 items", menuOf(18), {}, 18},
      {"wide and combining text that fits",
       menuOf(repeated("\xE6\x97\xA5", 39) + "x",
              {repeated("\xE6\x97\xA5", 36), std::string(72, 'e') + "\xCC\x81"},
              {"\t1a", "\t2b", "\t"}),
       {},
       2},
      {"UTF-8",
       menuOf("K\xC3\xA4se",
              {"M\xC3\xBCll",
               "Stra\xC3\x9F"
               "e"},
              {"\t1a", "\t2b", "\t"}),
       {},
       2},
      {"Windows-1252",
       menuOf("K\xE4se",
              {"M\xFCll",
               "Stra\xDF"
               "e"},
              {"\t1a", "\t2b", "\t"}),
       {},
       2},
      {"blank lines before the first TAB", menuOf("T", {"A"}, {"", "   ", "\t1a", "\t"}), {}, 1},
      {"no final line end", "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1cd x\r\n\t", {}, 1},
      {"full-length header and display line",
       menuOf(fullHeader, {fullLine}, {"\t1a", "\t"}),
       {},
       1},
      // A single cd, a several-line item and a drive change are all sound.
      {"directory changes",
       menuOf("T", {"A", "B", "C"}, {"\t1cd /tmp", "\t1cd /tmp", "ls", "\t1d:", "\t"}),
       {},
       3},
  };
  for (const CheckCase& c : cases) {
    SCOPED_TRACE(c.name);
    const MenuCheck check = checkMenuText(c.text, menuCheckRules());
    EXPECT_EQ(reported(check), c.lines);
    EXPECT_EQ(check.items, c.items);
    expectLoaderAgrees(c.text, check);
  }
}

// The room the checker allows is where the drawn frame starts to overwrite
// a line and the header leaves the screen: drawn on the virtual console,
// the longest allowed text shows whole, one character more does not.
TEST(MenuCheckTest, TheRoomIsWhereTheDrawnScreenBreaks) {
  const auto shownWhole = [](int lineLength, int headerLength) {
    VirtualConsole console(80, 25);
    ConsoleScreen screen(console);
    MenuModel model;
    const std::string line(static_cast<std::size_t>(lineLength), 'x');
    const std::string header(static_cast<std::size_t>(headerLength), 'k');
    parseMenuText(model, menuOf(header, {line}, {"\t1a", "\t"}));
    MenuLayout layout;
    drawMenuItems(screen, model, layout, 0, ScreenColours{});
    drawMenuFrame(screen, model, layout);
    drawHeader(screen, model, layout);
    const std::string itemRow = console.rowText(layout.itemBase + layout.itemSpacing - 1);
    const std::string headerRow = console.rowText(layout.frameTop - 2);
    return std::count(itemRow.begin(), itemRow.end(), 'x') == lineLength &&
           std::count(headerRow.begin(), headerRow.end(), 'k') == headerLength;
  };
  const int line = longestFramedText();
  const int header = longestHeader();
  EXPECT_EQ(line, 72);
  EXPECT_EQ(header, 79);
  EXPECT_TRUE(shownWhole(line, header));
  EXPECT_FALSE(shownWhole(line + 1, 1));
  EXPECT_FALSE(shownWhole(1, header + 1));
}

}  // namespace
}  // namespace menue
