// The MenuModel: the whole text of a MenuFile and the positions at which
// each item's display line and ExecutionPart begin, the markers of the
// format, and the line-end search every reader of the text uses. Display
// texts and command lines are cut out of the text when needed.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

inline constexpr std::string_view CrLf = "\r\n";
inline constexpr std::string_view Lf = "\n";
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
  std::string header;
  int itemCount = 0;
  std::array<int, 21> lineStart{};
  std::array<int, 21> execStart{};
  // The widest line's length less two, in the columns the screen gives it.
  int frameWidth = 0;
  // The text's line end: CR LF when it holds one anywhere, else LF. A text
  // decides once, so a lone LF in a CR LF file is an ordinary byte.
  std::string_view lineEnd = CrLf;
  // Whether rawText is UTF-8 with characters beyond ASCII, as editors on
  // POSIX write it: its texts are then characters (the screen shows them,
  // widths count them, command lines go to the system unchanged, typed text
  // is stored as UTF-8). Otherwise its bytes are in the Windows encodings.
  bool utf8 = false;
  // Whether rawText was parsed successfully. The empty model of the start
  // and one left behind by a failed load count as a menu without items.
  bool loaded = false;
  // Whether rawText is the whole file. A huge file is read only as far as
  // the menu needs (menu_load.h): it is shown and run, never rewritten.
  bool whole = true;
  // The stamp of the file rawText was read from and parsed whole, where any
  // later change of that file must show in it: while the file shows the
  // same stamp, the text here is its text. None for a text not read so
  // (a rewrite's, a damaged file's): the next load reads again.
  std::optional<FileStamp> readStamp;

  // The items that may be shown, run and edited: none unless loaded.
  int items() const { return loaded ? itemCount : 0; }
  // Item i's display line without its line end.
  std::string displayText(int i) const;
  // Item i's display line with its own line end.
  std::string displayLine(int i) const;
  // Item i's ExecutionPart: status character and command lines, up to (not
  // including) the next TAB.
  std::string executionPart(int i) const;
  // Whether item i's ExecutionPart runs on past the text read: what was
  // read of it must not run.
  bool executionPartCut(int i) const;
  // Everything before display line 1.
  std::string textBeforeItems() const;
};

// An item's command lines as the runner takes them: the part after the
// status, and its one line without the line end when the part holds a
// single line (started directly, or carried out as a directory change);
// with more lines the part is run as a LaunchScript.
struct CommandLines {
  std::string text;
  std::optional<std::string> onlyLine;
};
CommandLines commandLinesOf(const MenuModel& model, int item);

// The line end a text uses: CR LF when it holds one anywhere, else LF.
std::string_view lineEndOf(std::string_view text);

// The position of the first `lineEnd` at or after pos (0-based), and its
// length; npos and 0 when there is none.
struct LineEnd {
  std::size_t pos;
  std::size_t length;
};
LineEnd findLineEnd(std::string_view text, std::size_t pos, std::string_view lineEnd);

}  // namespace menue
