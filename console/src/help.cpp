// The help screen (sixteen lines on rows 2 to 23) and the version line.
#include "console/help.h"

#include <array>

#include "console/screen_geometry.h"

namespace menue {

namespace {

// Windows-1252 texts; an empty entry is an empty line.
constexpr std::array<std::string_view, 22> HelpLines{
    "     Men\xFCprogramm zur schnellen einfachen erstellung von Men\xFCs.",
    "",
    "       Bis zu 18 Men\xFCpunkte pro Men\xFC"
    "datei (9x pro Verzeichniss).",
    "",
    "  mit Men\xFC+ wird ein Men\xFCpunkt erstellt.",
    "  (Beispiel: Men\xFC+3 f\xFCgt an dritter stelle Men\xFCpunkt ein.)",
    "",
    "  mit Men\xFC- wird ein Men\xFCpunkt entfernt.",
    "  (Beispiel: Men\xFC-2 entfernt zweiten Men\xFCpunkt.)",
    "",
    "  mit Men\xFC* werden zwei Men\xFCpunkte vertauscht.",
    "  (Beispiel: Men\xFC*2+5 tauscht den 2. mit den 5. Men\xFCpunkt.",
    "",
    "  mit Men\xFC++ wird ein zus\xE4tzliches Men\xFC erstellt.",
    "  mit Men\xFC-- wird das angezeigte gesammte Men\xFC gel\xF6scht.",
    "  mit ?, Help oder Hilfe erh\xE4lt man diese info, mit version eine versionsinfo.",
    "  mit cd! oder  home  kommt man wieder zum startverzeichniss",
    "  andere eingaben (z.B. cd, D: oder Dir) werden ausgef\xFChrt (Windows-CMD).",
    "",
    "  Um weitere Men\xFCpunkte zu haben wechseln sie das verzeichniss.",
    "  Die erstellte Men\xFC"
    "datei (-menue-) ist eine ASCII-Datei.",
    "  Infos zur manuellen Bearbeitung (struktur) sind in der Datei enthalten.",
};

}  // namespace

void showHelp(ConsoleScreen& screen, Input& input) {
  screen.clearScreen();
  screen.moveTo(2, 1);
  for (std::string_view line : HelpLines) screen.printText(line);
  input.waitForInput();
}

std::string_view versionNumber() {
  return MENUE_VERSION;
}

void showVersion(ConsoleScreen& screen, Input& input) {
  screen.moveTo(PromptRow, 1);
  screen.writeText(ProductLabel);
  screen.writeText(" ver ");
  screen.writeText(versionNumber());
  screen.writeText(" ");
  input.waitForInput();
}

}  // namespace menue
