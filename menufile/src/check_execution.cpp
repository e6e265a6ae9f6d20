// The checks of the execution section: the TABs that open the parts, the
// statuses, the directory changes, and text the menu passes over.
#include "check_execution.h"

#include <algorithm>
#include <string>

#include "execution_parts.h"

namespace menue::checks {

// Where the TABs ran out, the lines that should have opened a part: one
// that begins with blanks and a status (an editor expanded its TAB), one
// that begins with a status alone, and a last line of blanks for the end
// marker. Each is reported at its own line, and what follows from it (the
// shifted parts, their statuses) is left out. Gives the first item whose
// part shifted, or 0 when no such line was found.
int checkMissingTabs(const MenuModel& model, const Places& at, Findings& out) {
  const std::string& raw = model.rawText;
  const int parts = model.itemCount + 1;
  int found = 0;
  for (int item = 1; item <= parts && hasOpeningTab(model, item); ++item) found = item;
  const int missing = parts - found;
  if (missing == 0) return 0;
  struct Candidate {
    std::size_t begin;
    bool blanks;
    bool endMarker;
    int part;
  };
  std::vector<Candidate> candidates;
  const std::vector<Line> lines = linesOf(raw, execScanStart(model));
  std::size_t lastFilled = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].text.empty()) lastFilled = i;
  }
  int part = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view text = lines[i].text;
    if (text.find('\t') != std::string_view::npos) {
      part += static_cast<int>(std::count(text.begin(), text.end(), '\t'));
      continue;
    }
    const std::size_t first = text.find_first_not_of(' ');
    const bool status = first != std::string_view::npos && text[first] >= '1' && text[first] <= '3';
    const bool endMarker = first == std::string_view::npos && !text.empty() && i == lastFilled;
    if (status || endMarker) {
      candidates.push_back({lines[i].begin, first > 0, endMarker, ++part});
    }
  }
  // Lines beginning with a digit may be command lines: only as many as
  // TABs are missing can stand for them; blanks before a status are surer.
  if (static_cast<int>(candidates.size()) > missing) {
    std::erase_if(candidates, [](const Candidate& c) { return !c.blanks; });
    if (static_cast<int>(candidates.size()) > missing) return 0;
  }
  if (candidates.empty()) return 0;
  for (const Candidate& c : candidates) {
    const int line = at.line(c.begin);
    if (c.endMarker) {
      out.push_back(finding(FindingKind::BlanksForTab, Severity::Error, line,
                            "Leerzeichen statt TAB als Endmarke: das Men\xFC liest den letzten "
                            "Ausf\xFChrungsteil bis zum Dateiende; TAB statt Leerzeichen",
                            1));
    } else if (c.blanks) {
      out.push_back(finding(FindingKind::BlanksForTab, Severity::Error, line,
                            "Leerzeichen statt TAB vor dem Status von " + itemName(c.part) +
                                ": das Men\xFC sieht hier keinen neuen Ausf\xFChrungsteil, und "
                                "jeder folgende Men\xFCpunkt startet die Befehle des "
                                "n\xE4"
                                "chsten; TAB statt Leerzeichen am Zeilenanfang",
                            1));
    } else {
      out.push_back(
          finding(FindingKind::MissingTab, Severity::Error, line,
                  "TAB fehlt vor dem Status von " + itemName(c.part) +
                      // Before the first TAB a line belongs to no item.
                      (c.part > 1 ? ": das Men\xFC nimmt die Zeile zu " + itemName(c.part - 1)
                                  : std::string(": das Men\xFC \xFC"
                                                "berspringt die Zeile")) +
                      ", und jeder folgende Men\xFCpunkt startet die Befehle des "
                      "n\xE4"
                      "chsten; einen TAB an den Zeilenanfang setzen",
                  1));
    }
  }
  return std::min(candidates.front().part, parts);
}

// The TABs after "(Menuausfuhrung)" pair with the items in order. Once they
// run out, the rest of the items have no part and run nothing. One TAB
// short shows as a missing end marker, where the last part runs to the end
// of the text (harmless); but when the last of several parts is empty, a
// TAB is missing further up and every item from there runs the next one's
// commands.
void checkExecutionParts(const MenuModel& model, const Places& at, Findings& out) {
  const int items = model.itemCount;
  for (int item = 1; item <= items; ++item) {
    if (hasOpeningTab(model, item)) continue;
    out.push_back(finding(FindingKind::MissingTab, Severity::Error,
                          at.line(displayStart(model, item)),
                          "zu wenige TABs nach (Menuausfuhrung): " + itemName(item) +
                              " hat keinen Ausf\xFChrungsteil, das Men\xFC startet bei ihm "
                              "nichts; f\xFCr ihn eine Zeile TAB, Status und Befehl anf\xFCgen"));
    return;
  }
  if (hasOpeningTab(model, items + 1)) return;
  if (items >= 2 && blank(model.executionPart(items), " \r\n")) {
    out.push_back(finding(FindingKind::MissingTab, Severity::Error,
                          at.line(displayStart(model, items + 1)),
                          "ein TAB zu wenig nach (Menuausfuhrung), und der letzte "
                          "Ausf\xFChrungsteil ist leer: wohl fehlt der TAB eines Men\xFCpunkts, "
                          "ab dort startet jeder Men\xFCpunkt die Befehle des n\xE4"
                          "chsten; jeden Ausf\xFChrungsteil mit einem TAB beginnen"));
    return;
  }
  out.push_back(finding(FindingKind::MissingEndMarker, Severity::Note, at.lastLine(),
                        "Endmarke fehlt (ein TAB nach dem letzten Ausf\xFChrungsteil): das "
                        "Men\xFC liest den letzten Ausf\xFChrungsteil bis zum Dateiende; eine "
                        "Zeile mit nur einem TAB anf\xFCgen"));
}

// A status other than 1-3 starts nothing: the command lines go to the
// LaunchScript, which is not run. (A single cd or drive line still works.)
// Items from `shiftedFrom` on run another's part: their statuses say nothing.
void checkStatuses(const MenuModel& model, const Places& at, int shiftedFrom, Findings& out) {
  for (int item = 1; item <= model.itemCount; ++item) {
    if (shiftedFrom > 0 && item >= shiftedFrom) return;
    if (!hasOpeningTab(model, item)) continue;
    const std::string part = model.executionPart(item);
    const char status = part.empty() ? '\0' : part[0];
    if (status >= '1' && status <= '3') continue;
    const bool shown = status > ' ' && status < '\x7F';
    const std::size_t tab = openingTab(model, item);
    out.push_back(
        finding(FindingKind::BadStatus, Severity::Error, at.line(tab),
                itemName(item) + ": " +
                    (shown ? "Status '" + std::string(1, status) + "' statt 1, 2 oder 3"
                           : std::string("Status fehlt")) +
                    ": das Men\xFC startet seine Befehle nicht; gleich nach dem TAB 1, 2 oder 3 "
                    "schreiben",
                at.column(tab + 1)));
  }
}

// An item whose only line changes the directory is carried out by the menu
// itself: blanks at the end belong to the directory's name, and a second
// line, even an empty one, makes it a script that moves no menu.
void checkDirectoryChanges(const MenuModel& model, const Places& at, const CheckRules& rules,
                           int shiftedFrom, Findings& out) {
  if (!rules.directoryChange) return;
  for (int item = 1; item <= model.itemCount; ++item) {
    if (shiftedFrom > 0 && item >= shiftedFrom) return;
    if (!hasOpeningTab(model, item)) continue;
    const CommandLines commands = commandLinesOf(model, item);
    const std::size_t lineBegin = openingTab(model, item) + 2;
    if (commands.onlyLine) {
      const std::optional<std::string> target = rules.directoryChange(*commands.onlyLine);
      if (!target || target->empty() || target->back() != ' ') continue;
      const std::size_t blanks = commands.onlyLine->find_last_not_of(' ') + 1;
      out.push_back(finding(FindingKind::DirectoryWithBlanks, Severity::Error, at.line(lineBegin),
                            "Leerzeichen am Ende des Verzeichniswechsels von " + itemName(item) +
                                ": das Men\xFC sucht das Verzeichnis mit den Leerzeichen und "
                                "meldet \"Verzeichnis nicht gefunden.\"; die Leerzeichen am "
                                "Zeilenende l\xF6schen",
                            at.column(lineBegin + blanks)));
      continue;
    }
    const LineEnd first = findLineEnd(commands.text, 0, model.lineEnd);
    const std::string firstLine = commands.text.substr(0, first.pos);
    if (!rules.directoryChange(firstLine) ||
        !blank(std::string_view(commands.text).substr(first.pos + first.length), " \r\n")) {
      continue;
    }
    out.push_back(finding(FindingKind::EmptyLineAfterDirectory, Severity::Error,
                          at.line(lineBegin + first.pos + first.length),
                          "leere Zeile nach dem Verzeichniswechsel von " + itemName(item) +
                              ": das Men\xFC f\xFChrt den Men\xFCpunkt dann als Skript aus und "
                              "wechselt sein eigenes Verzeichnis nicht; die leere Zeile "
                              "l\xF6schen"));
  }
}

// Lines between "(Menuausfuhrung)" and the first TAB: the menu searches on
// to the TAB and passes over them, so no item runs them. Reported once, at
// the first of them.
void checkBeforeFirstTab(const MenuModel& model, const Places& at, Findings& out) {
  if (!hasOpeningTab(model, 1)) return;
  const std::string_view before = std::string_view(model.rawText).substr(0, openingTab(model, 1));
  int stray = 0;
  std::size_t first = 0;
  for (const Line& line : linesOf(before, execScanStart(model))) {
    if (blank(line.text, " ")) continue;
    if (stray++ == 0) first = line.begin + line.text.find_first_not_of(' ');
  }
  if (stray == 0) return;
  out.push_back(finding(FindingKind::TextBeforeFirstTab, Severity::Warning, at.line(first),
                        (stray == 1 ? std::string("Zeile") : std::to_string(stray) + " Zeilen") +
                            " zwischen (Menuausfuhrung) und dem ersten TAB: das Men\xFC "
                            "\xFC"
                            "berspringt sie, kein Men\xFCpunkt f\xFChrt sie aus; als Befehl "
                            "hinter TAB und Status eines Men\xFCpunkts stellen oder l\xF6schen",
                        at.column(first)));
}

// The menu reads nothing after the end marker; Menü- and Menü* rebuild the
// file up to the end marker and so drop it. A DOS end-of-file mark there is
// harmless.
void checkAfterEndMarker(const MenuModel& model, const Places& at, Findings& out) {
  const int end = model.itemCount + 1;
  if (!hasOpeningTab(model, end)) return;
  const std::string& raw = model.rawText;
  const std::size_t from = static_cast<std::size_t>(model.execStart[end]) - 1;
  const std::size_t text = raw.find_first_not_of(" \t\r\n", from);
  if (text == std::string::npos) return;
  if (raw.find_first_not_of(" \t\r\n\x1A", from) == std::string::npos) {
    out.push_back(finding(FindingKind::EndOfFileMark, Severity::Note, at.line(text),
                          "DOS-Dateiende (Strg+Z) hinter der Endmarke: das Men\xFC liest es "
                          "nicht; es kann bleiben",
                          at.column(text)));
    return;
  }
  out.push_back(finding(FindingKind::TextAfterEndMarker, Severity::Warning, at.line(text),
                        "Text hinter der Endmarke: das Men\xFC liest ihn nicht, und Men\xFC- oder "
                        "Men\xFC* l\xF6schen ihn; ihn vor die Endmarke stellen oder l\xF6schen"));
}

}  // namespace menue::checks
