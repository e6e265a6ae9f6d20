// The checks of the header and the display section: the header key and
// its length, the display marker, the items' count and their lines.
#include "check_display.h"

#include <algorithm>
#include <string>

#include "platform/text_width.h"

namespace menue::checks {

// No "Kopfzeile=" anywhere, but a line that means it: the menu shows no
// header.
void checkHeaderKey(std::string_view text, const Places& at, Findings& out) {
  if (text.find(HeaderKey) != std::string_view::npos) return;
  constexpr std::string_view Word = "kopfzeile";
  for (const Line& line : linesOf(text)) {
    const std::size_t first = line.text.find_first_not_of(" \t");
    if (first == std::string_view::npos || line.text.size() - first < Word.size()) continue;
    if (lowered(line.text.substr(first, Word.size())) != Word) continue;
    const std::size_t equals = line.text.find_first_not_of(" \t", first + Word.size());
    if (equals == std::string_view::npos || line.text[equals] != '=') continue;
    out.push_back(finding(FindingKind::HeaderKeySpelling, Severity::Error, at.line(line.begin),
                          quoted(line.text.substr(first, equals + 1 - first)) + " statt " +
                              quoted(HeaderKey) + ": das Men\xFC zeigt keine Kopfzeile; genau " +
                              quoted(HeaderKey) +
                              " schreiben (gro\xDF"
                              "es K, kein Leerzeichen vor dem =)",
                          1 + static_cast<int>(first)));
    return;
  }
}

// The display section fails to load: the menu shows "Dateifehler
// Menuausfuhrung nicht gefunden." and no items. It searches the 20 lines
// after "(Menuanzeige)" only, so a marker further down means too many items.
void checkMissingExecution(const MenuModel& model, const Places& at, std::size_t marker,
                           Findings& out) {
  const std::string& raw = model.rawText;
  const std::size_t exec = raw.find(ExecMarker, marker);
  if (exec == std::string::npos) {
    if (const auto misspelt = misspeltMarker(raw, ExecMarker, marker)) {
      out.push_back(markerFinding(at, *misspelt, ExecMarker));
      return;
    }
    out.push_back(finding(FindingKind::NoExecutionMarker, Severity::Error, at.line(marker),
                          "(Menuausfuhrung) fehlt nach (Menuanzeige): das Men\xFC meldet "
                          "\"Dateifehler Menuausfuhrung nicht gefunden.\"; nach der letzten "
                          "Anzeigezeile eine Zeile (Menuausfuhrung) einf\xFCgen"));
    return;
  }
  const int lines = at.line(exec) - at.line(marker) - 1;
  out.push_back(finding(FindingKind::TooManyItems, Severity::Error, at.line(exec),
                        "(Menuausfuhrung) erst nach " + std::to_string(lines) +
                            " Anzeigezeilen: das Men\xFC l\xE4"
                            "dt h\xF6"
                            "chstens " +
                            std::to_string(MaxLoadedItems) +
                            " Men\xFCpunkte und meldet \"Dateifehler Menuausfuhrung "
                            "nicht gefunden.\"; Men\xFCpunkte auf h\xF6"
                            "chstens " +
                            std::to_string(MaxItems) + " k\xFCrzen"));
}

// Text behind the marker on its line: the menu starts display line 1 two
// characters after the marker, inside that text or at its line end.
void checkDisplayMarkerLine(const MenuModel& model, const Places& at, std::size_t marker,
                            Findings& out) {
  const std::string& raw = model.rawText;
  const std::size_t after = marker + DisplayMarker.size();
  if (after >= raw.size() || findLineEnd(raw, after, model.lineEnd).pos == after) return;
  out.push_back(finding(FindingKind::TextAfterDisplayMarker, Severity::Error, at.line(marker),
                        "Text hinter (Menuanzeige) in derselben Zeile: das Men\xFC beginnt " +
                            itemName(1) +
                            " schon zwei Zeichen nach der Marke; den Text hinter der Marke "
                            "l\xF6schen",
                        at.column(after)));
}

// A 19th item loads and shows, but Menü+ adds nothing to 18 or more, and a
// 20th keeps the whole file from loading.
void checkItemCount(const MenuModel& model, const Places& at, Findings& out) {
  if (model.itemCount <= MaxItems) return;
  out.push_back(finding(
      FindingKind::TooManyItems, Severity::Warning, at.line(displayStart(model, MaxItems + 1)),
      itemName(MaxItems + 1) +
          " ist einer zu viel: das Men\xFC zeigt ihn, Men\xFC+ f\xFCgt aber "
          "nur bis " +
          std::to_string(MaxItems) + " hinzu, und ab " + std::to_string(MaxLoadedItems + 1) +
          " Men\xFCpunkten l\xE4"
          "dt es die Datei nicht; einen Men\xFCpunkt in ein weiteres Men\xFC (Men\xFC++) "
          "verlegen"));
}

// Every line between the markers is an item. A stray header line shows as
// an item, and the header comes from the first "Kopfzeile=" of the whole
// text, which may be this one; a second "(Menuanzeige)" shows as an item.
// An empty line is an item without text, run like any other. A line wider
// than the frame's room is overwritten by the frame's sides.
void checkDisplayLines(const MenuModel& model, const Places& at, const CheckRules& rules,
                       Findings& out) {
  const std::string& raw = model.rawText;
  const std::size_t header = raw.find(HeaderKey);
  for (int item = 1; item <= model.itemCount; ++item) {
    const std::string text = model.displayText(item);
    const std::size_t begin = displayStart(model, item);
    const int line = at.line(begin);
    if (text.find(HeaderKey) != std::string::npos) {
      const bool headerHere = header >= begin && header < begin + text.size();
      out.push_back(finding(FindingKind::MarkerInDisplayLine, Severity::Warning, line,
                            "Anzeigezeile mit \"Kopfzeile=\": das Men\xFC zeigt sie als " +
                                itemName(item) +
                                (headerHere ? " und nimmt die Kopfzeile aus ihr" : "") +
                                "; die Kopfzeile vor (Menuanzeige) stellen"));
    }
    if (text.find(DisplayMarker) != std::string::npos) {
      out.push_back(finding(FindingKind::MarkerInDisplayLine, Severity::Warning, line,
                            "Anzeigezeile mit \"(Menuanzeige)\": das Men\xFC zeigt sie als " +
                                itemName(item) + "; die doppelte Marke l\xF6schen"));
    }
    if (blank(text, " ")) {
      out.push_back(finding(FindingKind::EmptyDisplayLine, Severity::Warning, line,
                            "leere Anzeigezeile: das Men\xFC zeigt " + itemName(item) +
                                " als leere Zeile; einen Text eintragen oder den Men\xFCpunkt "
                                "mit Men\xFC- entfernen"));
    }
    const int width = at.width(text);
    if (width > rules.longestDisplayText) {
      const std::string room = std::to_string(rules.longestDisplayText);
      const std::string_view unit = lengthUnit(at, text);
      out.push_back(finding(FindingKind::DisplayLineTooLong, Severity::Warning, line,
                            "Anzeigezeile mit " + std::to_string(width) + std::string(unit) +
                                ": in den "
                                "Rahmen passen " +
                                room +
                                ", das Men\xFC \xFC"
                                "berschreibt den Rest mit dem Rahmen; auf " +
                                room + std::string(unit) + " k\xFCrzen",
                            at.column(at.advance(begin, rules.longestDisplayText))));
    }
  }
}

// The header runs off the screen past its room.
void checkHeader(const MenuModel& model, const Places& at, const CheckRules& rules, Findings& out) {
  const int width = at.width(model.header);
  if (width <= rules.longestHeader) return;
  const std::size_t begin = model.rawText.find(HeaderKey) + HeaderKey.size();
  const std::string room = std::to_string(rules.longestHeader);
  const std::string_view unit = lengthUnit(at, model.header);
  out.push_back(finding(FindingKind::HeaderTooLong, Severity::Warning, at.line(begin),
                        "Kopfzeile mit " + std::to_string(width) + std::string(unit) +
                            ": auf den Bildschirm passen " + room +
                            ", das Men\xFC schreibt sie \xFC"
                            "ber den Rand hinaus; auf " +
                            room + std::string(unit) + " k\xFCrzen",
                        at.column(at.advance(begin, rules.longestHeader))));
}

}  // namespace menue::checks
