// The texts of --help and --version; the README and the manual page say the
// same in English.
#include "session/usage.h"

#include "console/help.h"

namespace menue {

std::string_view usageText() {
  return "Aufruf: menue [VERZEICHNIS]\n"
         "        menue --check [-r] [PFAD...]\n"
         "        menue --list [--all] [PFAD]\n"
         "        menue --run N [VERZEICHNIS]\n"
         "        menue --edit [PFAD]\n"
         "        menue --history [PFAD]\n"
         "        menue --undo [--version K] [PFAD]\n"
         "        menue --help | --version\n"
         "\n"
         "Zeigt das Men\xFC des Verzeichnisses bis ESC; im Men\xFC zeigt ? die Hilfe.\n"
         "Unter POSIX wird eine Men\xFC"
         "datei eines anderen Benutzers (au\xDF"
         "er root) oder eine,\n"
         "die andere schreiben d\xFCrfen, gezeigt, aber nicht ausgef\xFChrt und nicht "
         "ge\xE4ndert;\n"
         "eine Gruppe, in der nur der Besitzer ist, z\xE4hlt als seine.\n"
         "\n"
         "  VERZEICHNIS  dort starten: es wird das Startverzeichnis (cd!, home);\n"
         "               ohne Angabe das aktuelle Verzeichnis\n"
         "  --check      Men\xFC"
         "dateien pr\xFC"
         "fen, ohne etwas zu \xE4ndern: eine Datei oder die\n"
         "               Men\xFC"
         "dateien (-menue-, -menue02- ...) eines Verzeichnisses, ohne\n"
         "               PFAD die des aktuellen; jeder Befund als\n"
         "               DATEI:ZEILE:SPALTE: Art: was falsch ist; was zu \xE4ndern ist\n"
         "               (Art Fehler, Warnung oder Hinweis; SPALTE nur, wo sie hilft),\n"
         "               dann eine Zeile je Datei\n"
         "  -r           mit --check auch alle Unterverzeichnisse\n"
         "  --list       die Men\xFCpunkte mit Status und Befehlszeilen zeigen, ohne etwas\n"
         "               zu \xE4ndern; --all auch die nummerierten Men\xFCs\n"
         "  --run N      Men\xFCpunkt N ausf\xFChren wie im Men\xFC und auf sein Ende warten;\n"
         "               der Exit-Status ist seiner (2: nicht ausf\xFChrbar); unter POSIX\n"
         "               l\xE4uft eine einzelne Zeile mit Shell-Syntax mit /bin/sh -c\n"
         "  --edit       eine Kopie der Men\xFC"
         "datei im Editor (VISUAL, EDITOR) bearbeiten,\n"
         "               pr\xFC"
         "fen und nur einsetzen, wenn die Datei noch unver\xE4ndert ist\n"
         "  --history    die gesicherten Fassungen einer Men\xFC"
         "datei zeigen\n"
         "  --undo       die letzte \xC4nderung zeigen und nach R\xFC"
         "ckfrage zur\xFC"
         "cknehmen;\n"
         "               --version K stellt Fassung K wieder her\n"
         "  -h, --help   diese Hilfe\n"
         "  --version    die Version\n"
         "  --           Ende der Optionen: eine Datei, deren Name mit - beginnt, danach\n"
         "               oder als ./-name angeben (-menue-, -menue07- gelten als Datei)\n"
         "\n"
         "Das Men\xFC braucht ein Terminal von mindestens 80x24; ein kleineres Fenster\n"
         "zeigt nur, wie gro\xDF es sein muss, und TERM=dumb gilt als kein Terminal. Die\n"
         "Optionen wie --check und --list gehen ohne.\n"
         "\n"
         "Vor jeder \xC4nderung einer Men\xFC"
         "datei sichert menue ihren Text unter\n"
         "$XDG_STATE_HOME/menue (sonst ~/.local/state/menue; unter Windows\n"
         "%LOCALAPPDATA%\\menue).\n"
         "\n"
         "Exit-Status: 0 in Ordnung (auch mit Warnungen und Hinweisen), 1 --check hat\n"
         "einen Fehler gefunden, --list: die Datei l\xE4"
         "dt nicht, --edit oder --undo: nichts\n"
         "ge\xE4ndert, 2 falscher Aufruf, ein Pfad ist nicht lesbar, die Ausgabe schlug\n"
         "fehl oder kein Terminal da; --run: der Exit-Status des Men\xFCpunkts.\n";
}

std::string versionText() {
  return "menue " + std::string(versionNumber()) +
         "\n"
         "Copyright (C) 2026 the menue developers\n"
         "Lizenz MIT <https://opensource.org/licenses/MIT>: freie Software ohne Gew\xE4hr.\n";
}

}  // namespace menue
