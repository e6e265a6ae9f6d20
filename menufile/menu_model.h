// The MenuModel: the whole text of the current MenuFile and the positions at
// which each item's display line and ExecutionPart begin. Display texts and
// command lines are cut out of the text when needed.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace menue {

struct Program;

inline constexpr std::string_view HeaderKey = "Kopfzeile=";
inline constexpr std::string_view DisplayMarker = "(Menuanzeige)";
inline constexpr std::string_view ExecMarker = "(Menuausfuhrung)";
// The comment a created MenuFile begins with (Windows-1252), for people who
// edit the file by hand; the loader ignores it.
inline constexpr std::string_view StructureComment =
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
    "\r\n";

inline constexpr int MaxLoadedItems = 19;
inline constexpr int MaxItems = 18;

struct MenuModel {
  // Positions are 1-based into rawText.
  std::string rawText;
  int textIsCurrent = 0;
  std::string header;
  int itemCount = 0;
  std::array<int, 21> lineStart{};
  std::array<int, 21> execStart{};
  int frameWidth = 0;
  // False after a failed load: the model then counts as empty for item
  // selection and editing until the next successful load.
  bool valid = true;

  // Items usable for running and editing: 0 after a failed load.
  int usableItems() const { return valid ? itemCount : 0; }
  // Item i's display line without its line end.
  std::string displayText(int i) const;
  // Item i's display line with its own line end.
  std::string displayLine(int i) const;
  // Item i's ExecutionPart: status character and command lines, up to (not
  // including) the next TAB.
  std::string executionPart(int i) const;
  // Item i's ExecutionPart with the TAB that follows it (or nothing more at
  // the end of a text without end marker).
  std::string executionPartWithTab(int i) const;
  // Everything before display line 1.
  std::string textBeforeItems() const;
};

// Parses text into the model (the loader's steps after reading). Returns 0 on
// success, 1 when "(Menuanzeige)" is missing, 2 when "(Menuausfuhrung)" is
// not within the 20 lines after it.
int parseMenuText(MenuModel& model, std::string text);

// Brings the model up to date with the current MenuFile; on a damaged file
// prints the message, pauses and continues at the prompt step.
void loadMenu(Program& program);
// Replaces the current MenuFile by newText in one safe step and re-parses it.
void rewriteMenuFile(Program& program, std::string newText);

// The position of the first line end (CR LF or a lone LF) at or after pos
// (0-based), and its length; npos and 0 when there is none.
struct LineEnd {
  std::size_t pos;
  std::size_t length;
};
LineEnd findLineEnd(std::string_view text, std::size_t pos);

}  // namespace menue
