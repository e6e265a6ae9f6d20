// The checks of one MenuFile text. Each check parses nothing of its own: it
// reads the model parseMenuText made, so a finding says what the menu does
// with the file. Line numbers count every LF, as an editor shows the file.
#include "menufile/menu_check.h"

#include <algorithm>
#include <string>

#include "execution_parts.h"
#include "menufile/menu_parse.h"

namespace menue {

namespace {

using Findings = std::vector<MenuFinding>;

int lineAt(std::string_view text, std::size_t index) {
  const std::size_t end = std::min(index, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + end, '\n'));
}

int lastLine(std::string_view text) {
  return text.empty() ? 1 : lineAt(text, text.size() - 1);
}

std::string itemName(int item) {
  return "Men\xFCpunkt " + std::to_string(item);
}

// 0-based start of item i's display line (i up to itemCount + 1, the
// "(Menuausfuhrung)" line).
std::size_t displayStart(const MenuModel& model, int item) {
  return static_cast<std::size_t>(model.lineStart[item]) - 1;
}

// 0-based position of the TAB that opens item i's ExecutionPart.
std::size_t openingTab(const MenuModel& model, int item) {
  return static_cast<std::size_t>(model.execStart[item]) - 2;
}

bool blank(std::string_view text, std::string_view blanks) {
  return text.find_first_not_of(blanks) == std::string_view::npos;
}

// The display section fails to load: the menu shows "Dateifehler
// Menuausfuhrung nicht gefunden." and no items. It searches the 20 lines
// after "(Menuanzeige)" only, so a marker further down means too many items.
void checkMissingExecution(const MenuModel& model, std::size_t marker, Findings& out) {
  const std::string& raw = model.rawText;
  const std::size_t exec = raw.find(ExecMarker, marker);
  if (exec == std::string::npos) {
    out.push_back({lineAt(raw, marker), FindingKind::NoExecutionMarker,
                   "(Menuausfuhrung) fehlt nach (Menuanzeige): das Men\xFC meldet "
                   "\"Dateifehler Menuausfuhrung nicht gefunden.\""});
    return;
  }
  const int lines = lineAt(raw, exec) - lineAt(raw, marker) - 1;
  out.push_back({lineAt(raw, exec), FindingKind::TooManyItems,
                 "(Menuausfuhrung) erst nach " + std::to_string(lines) +
                     " Anzeigezeilen: das Men\xFC l\xE4"
                     "dt h\xF6"
                     "chstens 19 Men\xFCpunkte und meldet \"Dateifehler Menuausfuhrung nicht "
                     "gefunden.\""});
}

// Text behind the marker on its line: the menu starts display line 1 two
// characters after the marker, inside that text or at its line end.
void checkDisplayMarkerLine(const MenuModel& model, std::size_t marker, Findings& out) {
  const std::string& raw = model.rawText;
  const std::size_t after = marker + DisplayMarker.size();
  if (after >= raw.size() || findLineEnd(raw, after, model.lineEnd).pos == after) return;
  out.push_back({lineAt(raw, marker), FindingKind::TextAfterDisplayMarker,
                 "Text hinter (Menuanzeige) in derselben Zeile: das Men\xFC beginnt " +
                     itemName(1) + " schon zwei Zeichen nach der Marke"});
}

// A 19th item loads and shows, but Menü+ adds nothing to 18 or more, and a
// 20th keeps the whole file from loading.
void checkItemCount(const MenuModel& model, Findings& out) {
  if (model.itemCount <= MaxItems) return;
  out.push_back({lineAt(model.rawText, displayStart(model, MaxItems + 1)),
                 FindingKind::TooManyItems,
                 itemName(MaxItems + 1) +
                     " ist einer zu viel: das Men\xFC zeigt ihn, Men\xFC+ f\xFCgt aber nur bis " +
                     std::to_string(MaxItems) +
                     " hinzu, und ab 20 Men\xFCpunkten l\xE4"
                     "dt es die Datei nicht"});
}

// Every line between the markers is an item. A stray header line shows as
// an item, and the header comes from the first "Kopfzeile=" of the whole
// text, which may be this one; a second "(Menuanzeige)" shows as an item.
// An empty line is an item without text, run like any other.
void checkDisplayLines(const MenuModel& model, Findings& out) {
  const std::string& raw = model.rawText;
  const std::size_t header = raw.find(HeaderKey);
  for (int item = 1; item <= model.itemCount; ++item) {
    const std::string text = model.displayText(item);
    const std::size_t begin = displayStart(model, item);
    const int line = lineAt(raw, begin);
    if (text.find(HeaderKey) != std::string::npos) {
      const bool headerHere = header >= begin && header < begin + text.size();
      out.push_back({line, FindingKind::MarkerInDisplayLine,
                     "Anzeigezeile mit \"Kopfzeile=\": das Men\xFC zeigt sie als " +
                         itemName(item) + (headerHere ? " und nimmt die Kopfzeile aus ihr" : "")});
    }
    if (text.find(DisplayMarker) != std::string::npos) {
      out.push_back(
          {line, FindingKind::MarkerInDisplayLine,
           "Anzeigezeile mit \"(Menuanzeige)\": das Men\xFC zeigt sie als " + itemName(item)});
    }
    if (blank(text, " ")) {
      out.push_back(
          {line, FindingKind::EmptyDisplayLine,
           "leere Anzeigezeile: das Men\xFC zeigt " + itemName(item) + " als leere Zeile"});
    }
  }
}

// The TABs after "(Menuausfuhrung)" pair with the items in order. Once they
// run out, the rest of the items have no part and run nothing. One TAB
// short shows as a missing end marker, where the last part runs to the end
// of the text (harmless); but when the last of several parts is empty, a
// TAB is missing further up and every item from there runs the next one's
// commands.
void checkExecutionParts(const MenuModel& model, Findings& out) {
  const std::string& raw = model.rawText;
  const int items = model.itemCount;
  for (int item = 1; item <= items; ++item) {
    if (hasOpeningTab(model, item)) continue;
    out.push_back({lineAt(raw, displayStart(model, item)), FindingKind::MissingTab,
                   "zu wenige TABs nach (Menuausfuhrung): " + itemName(item) +
                       " hat keinen Ausf\xFChrungsteil, das Men\xFC startet bei ihm nichts"});
    return;
  }
  if (hasOpeningTab(model, items + 1)) return;
  if (items >= 2 && blank(model.executionPart(items), " \r\n")) {
    out.push_back({lineAt(raw, displayStart(model, items + 1)), FindingKind::MissingTab,
                   "ein TAB zu wenig nach (Menuausfuhrung), und der letzte Ausf\xFChrungsteil "
                   "ist leer: wohl fehlt der TAB eines Men\xFCpunkts, ab dort startet jeder "
                   "Men\xFCpunkt die Befehle des n\xE4"
                   "chsten"});
    return;
  }
  out.push_back({lastLine(raw), FindingKind::MissingEndMarker,
                 "Endmarke fehlt (ein TAB nach dem letzten Ausf\xFChrungsteil): das Men\xFC liest "
                 "den letzten Ausf\xFChrungsteil bis zum Dateiende"});
}

// A status other than 1-3 starts nothing: the command lines go to the
// LaunchScript, which is not run. (A single cd or drive line still works.)
void checkStatuses(const MenuModel& model, Findings& out) {
  for (int item = 1; item <= model.itemCount; ++item) {
    if (!hasOpeningTab(model, item)) continue;
    const std::string part = model.executionPart(item);
    const char status = part.empty() ? '\0' : part[0];
    if (status >= '1' && status <= '3') continue;
    const bool shown = status > ' ' && status < '\x7F';
    out.push_back({lineAt(model.rawText, openingTab(model, item)), FindingKind::BadStatus,
                   itemName(item) + ": " +
                       (shown ? "Status '" + std::string(1, status) + "' statt 1, 2 oder 3"
                              : std::string("Status fehlt (1, 2 oder 3 gleich nach dem TAB)")) +
                       ": das Men\xFC startet seine Befehle nicht"});
  }
}

// The menu reads nothing after the end marker; Menü- and Menü* rebuild the
// file up to the end marker and so drop it.
void checkAfterEndMarker(const MenuModel& model, Findings& out) {
  const int end = model.itemCount + 1;
  if (!hasOpeningTab(model, end)) return;
  const std::string& raw = model.rawText;
  const std::size_t text =
      raw.find_first_not_of(" \t\r\n", static_cast<std::size_t>(model.execStart[end]) - 1);
  if (text == std::string::npos) return;
  out.push_back({lineAt(raw, text), FindingKind::TextAfterEndMarker,
                 "Text hinter der Endmarke: das Men\xFC liest ihn nicht, und Men\xFC- oder "
                 "Men\xFC* l\xF6schen ihn"});
}

// A text holding one CR LF anywhere is a CR LF text to the menu: each lone
// LF in it is an ordinary byte, shown as a glyph, and joins two lines.
void checkLineEnds(std::string_view text, Findings& out) {
  std::size_t firstLone = std::string_view::npos;
  int lone = 0;
  for (std::size_t at = text.find('\n'); at != std::string_view::npos;
       at = text.find('\n', at + 1)) {
    if (at > 0 && text[at - 1] == '\r') continue;
    if (lone++ == 0) firstLone = at;
  }
  if (lone == 0 || lineEndOf(text) != CrLf) return;
  out.push_back({lineAt(text, firstLone), FindingKind::MixedLineEnds,
                 "Zeilenende LF in einer Datei mit CR LF (Zeilen mit LF: " + std::to_string(lone) +
                     "): das Men\xFC nimmt nur CR LF als Zeilenende und h\xE4ngt "
                     "die n\xE4"
                     "chste Zeile an diese an"});
}

}  // namespace

MenuCheck checkMenuText(std::string_view text) {
  MenuCheck check;
  MenuModel model;
  const ParseResult parse = parseMenuText(model, std::string(text));
  Findings& out = check.findings;
  const std::size_t marker = model.rawText.find(DisplayMarker);
  switch (parse) {
    case ParseResult::NoDisplayMarker:
      // The menu shows " Dateifehler " instead of its items.
      out.push_back({1, FindingKind::NoDisplayMarker,
                     "(Menuanzeige) fehlt: das Men\xFC zeigt \"Dateifehler\" statt der "
                     "Men\xFCpunkte"});
      break;
    case ParseResult::NoExecutionMarker:
      checkDisplayMarkerLine(model, marker, out);
      checkMissingExecution(model, marker, out);
      break;
    case ParseResult::Loaded:
      check.loads = true;
      check.items = model.itemCount;
      checkDisplayMarkerLine(model, marker, out);
      checkItemCount(model, out);
      checkDisplayLines(model, out);
      checkExecutionParts(model, out);
      checkStatuses(model, out);
      checkAfterEndMarker(model, out);
      break;
  }
  checkLineEnds(text, out);
  std::stable_sort(out.begin(), out.end(),
                   [](const MenuFinding& a, const MenuFinding& b) { return a.line < b.line; });
  return check;
}

std::vector<MenuFinding> trustFindings(FileTrust trust) {
  constexpr std::string_view Refused =
      ": das Men\xFC zeigt sie, startet ihre Befehle aber nicht und \xE4ndert sie nicht";
  switch (trust) {
    case FileTrust::OtherOwner:
      return {
          {1, FindingKind::OtherOwner, "geh\xF6rt einem anderen Benutzer" + std::string(Refused)}};
    // Which write bit lets others in, and how to take it away.
    case FileTrust::GroupMayWrite:
      return {{1, FindingKind::GroupMayWrite,
               "f\xFCr andere beschreibbar (Gruppe mit weiteren Mitgliedern oder Zugriffsliste)" +
                   std::string(Refused) + " (abhelfen: chmod g-w)"}};
    case FileTrust::OthersMayWrite:
      return {{1, FindingKind::OthersMayWrite,
               "f\xFCr andere beschreibbar (f\xFCr alle)" + std::string(Refused) +
                   " (abhelfen: chmod o-w)"}};
    case FileTrust::Trusted:
      break;
  }
  return {};
}

}  // namespace menue
