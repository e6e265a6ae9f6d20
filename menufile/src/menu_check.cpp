// The checks of one MenuFile text. Each check parses nothing of its own: it
// reads the model parseMenuText made, so a finding says what the menu does
// with the file. Line numbers count every LF, as an editor shows the file;
// columns count characters (a TAB is one), lengths count the columns the
// screen gives the text.
#include "menufile/menu_check.h"

#include <algorithm>
#include <string>

#include "execution_parts.h"
#include "menufile/distrust_text.h"
#include "menufile/menu_parse.h"
#include "platform/text_width.h"
#include "platform/utf8.h"

namespace menue {

namespace {

using Findings = std::vector<MenuFinding>;

// Where a finding stands: its line and column, counted in the text as an
// editor counts them.
class Places {
 public:
  Places(std::string_view text, bool utf8) : text_(text), utf8_(utf8) {}

  int line(std::size_t index) const {
    const std::size_t end = std::min(index, text_.size());
    return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + end, '\n'));
  }
  int lastLine() const { return text_.empty() ? 1 : line(text_.size() - 1); }
  int column(std::size_t index) const {
    const std::size_t end = std::min(index, text_.size());
    const std::size_t lineBegin = end == 0 ? 0 : text_.rfind('\n', end - 1) + 1;
    const std::string_view part = text_.substr(lineBegin, end - lineBegin);
    return 1 + static_cast<int>(utf8_ ? utf8Length(part) : part.size());
  }
  // A text's width in the columns the screen gives it (a wide character
  // takes two, a combining mark none).
  int width(std::string_view part) const {
    return static_cast<int>(utf8_ ? textColumns(part) : part.size());
  }
  // Whether the text's width differs from its count of characters.
  bool widthDiffers(std::string_view part) const {
    return utf8_ && static_cast<std::size_t>(textColumns(part)) != utf8Length(part);
  }
  // The index of the first character past `columns` columns from `begin`:
  // a wide character that straddles the limit is the first past it.
  std::size_t advance(std::size_t begin, int columns) const {
    const std::size_t from = std::min(begin, text_.size());
    if (!utf8_) return std::min(from + static_cast<std::size_t>(columns), text_.size());
    return from + prefixWithinColumns(text_.substr(from), columns);
  }

 private:
  std::string_view text_;
  bool utf8_;
};

// What a length counts: characters, or columns where wide characters or
// combining marks make the two differ.
std::string_view lengthUnit(const Places& at, std::string_view text) {
  return at.widthDiffers(text) ? " Spalten" : " Zeichen";
}

MenuFinding finding(FindingKind kind, Severity severity, int line, std::string message,
                    int column = 0) {
  MenuFinding f;
  f.line = line;
  f.kind = kind;
  f.message = std::move(message);
  f.severity = severity;
  f.column = column;
  return f;
}

std::string itemName(int item) {
  return "Men\xFCpunkt " + std::to_string(item);
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out += text;
  out += '"';
  return out;
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

// The lines of a text with their 0-based starts, each without LF and CR.
struct Line {
  std::size_t begin;
  std::string_view text;
};

std::vector<Line> linesOf(std::string_view text, std::size_t from = 0) {
  std::vector<Line> lines;
  while (from < text.size()) {
    const std::size_t lf = text.find('\n', from);
    const std::size_t end = lf == std::string_view::npos ? text.size() : lf;
    std::string_view line = text.substr(from, end - from);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({from, line});
    if (lf == std::string_view::npos) break;
    from = lf + 1;
  }
  return lines;
}

// A marker as people misspell it: letter case, blanks around it, and ü (in
// Windows-1252, UTF-8 or OEM) or "ue" for the u. Gives the form to compare.
std::string markerSpelling(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
  std::string out;
  for (std::size_t at = 0; at < line.size(); ++at) {
    const auto byte = static_cast<unsigned char>(line[at]);
    if (byte == 0xFC || byte == 0xDC || byte == 0x81 || byte == 0x9A) {
      out += 'u';
    } else if (byte == 0xC3 && at + 1 < line.size() &&
               (line[at + 1] == '\xBC' || line[at + 1] == '\x9C')) {
      out += 'u';
      ++at;
    } else if ((byte == 'u' || byte == 'U') && at + 1 < line.size() &&
               (line[at + 1] == 'e' || line[at + 1] == 'E')) {
      out += 'u';
      ++at;
    } else {
      out += static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte);
    }
  }
  return out;
}

std::string lowered(std::string_view marker) {
  return markerSpelling(marker);
}

// A line that means the marker but is not spelt as the menu needs it.
std::optional<Line> misspeltMarker(std::string_view text, std::string_view marker,
                                   std::size_t from) {
  const std::string wanted = lowered(marker);
  for (const Line& line : linesOf(text, from)) {
    if (line.text.find(marker) == std::string_view::npos && markerSpelling(line.text) == wanted) {
      return line;
    }
  }
  return std::nullopt;
}

MenuFinding markerFinding(const Places& at, const Line& line, std::string_view marker) {
  const std::size_t first = line.text.find_first_not_of(" \t");
  const std::string_view written =
      line.text.substr(first, line.text.find_last_not_of(" \t") - first + 1);
  return finding(FindingKind::MarkerSpelling, Severity::Error, at.line(line.begin),
                 quoted(written) + " ist nicht die Marke " + quoted(marker) +
                     ": das Men\xFC erkennt nur genau diese Schreibweise; " + quoted(marker) +
                     " schreiben (Gro\xDF- und Kleinschreibung wie hier, u statt \xFC, ohne "
                     "Leerzeichen)",
                 1 + static_cast<int>(first));
}

// The encodings the menu cannot read at all: it reads bytes and finds no
// marker in UTF-16; a text without LF is one line to it.
std::optional<MenuFinding> unreadableEncoding(std::string_view text) {
  const bool littleBom = text.starts_with("\xFF\xFE");
  const bool bigBom = text.starts_with("\xFE\xFF");
  // Without the mark: ASCII in UTF-16 has a zero byte in every pair.
  std::size_t evenZeros = 0;
  std::size_t oddZeros = 0;
  const std::size_t probe = std::min<std::size_t>(text.size(), 512) & ~std::size_t{1};
  for (std::size_t at = 0; at < probe; ++at) {
    if (text[at] == '\0') ++(at % 2 == 0 ? evenZeros : oddZeros);
  }
  const std::size_t pairs = probe / 2;
  const bool little = littleBom || (pairs >= 4 && oddZeros * 2 > pairs && evenZeros * 8 < pairs);
  const bool big = bigBom || (pairs >= 4 && evenZeros * 2 > pairs && oddZeros * 8 < pairs);
  if (little || big) {
    return finding(FindingKind::Utf16, Severity::Error, 1,
                   std::string("Datei ist als UTF-16 ") + (little ? "Little" : "Big") +
                       " Endian (\"Unicode\") " + (littleBom || bigBom ? "mit" : "ohne") +
                       " Byte-Order-Mark gespeichert: das Men\xFC liest Bytes und findet darin "
                       "keine Marke; als ANSI oder UTF-8 speichern");
  }
  if (text.find('\n') == std::string_view::npos && text.find('\r') != std::string_view::npos) {
    return finding(FindingKind::CarriageReturnsOnly, Severity::Error, 1,
                   "Zeilenenden nur CR (ohne LF): das Men\xFC sieht die ganze Datei als eine "
                   "Zeile; mit Zeilenende CR LF (Windows) oder LF speichern");
  }
  return std::nullopt;
}

// UTF-8 and other bytes above 127 in one text: the menu then takes the
// text in the Windows encodings, and each UTF-8 letter shows as two.
void checkEncodings(std::string_view text, const Places& at, Findings& out) {
  std::size_t firstUtf8 = std::string_view::npos;
  std::size_t firstOther = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Character read = readUtf8(text, i);
    if (read.valid && read.length > 1 && firstUtf8 == std::string_view::npos) firstUtf8 = i;
    if (!read.valid && firstOther == std::string_view::npos) firstOther = i;
    i += read.length;
  }
  if (text.starts_with("\xEF\xBB\xBF") && firstOther == std::string_view::npos) {
    out.push_back(finding(FindingKind::ByteOrderMark, Severity::Note, 1,
                          "UTF-8-Byte-Order-Mark am Dateianfang: das Men\xFC \xFC"
                          "bergeht sie und zeigt die Kopfzeile trotzdem; wer sie nicht will: als "
                          "UTF-8 ohne BOM speichern",
                          1));
  }
  if (firstUtf8 == std::string_view::npos || firstOther == std::string_view::npos) return;
  constexpr char Hex[] = "0123456789ABCDEF";
  const auto byte = static_cast<unsigned char>(text[firstOther]);
  out.push_back(finding(FindingKind::MixedEncodings, Severity::Error, at.line(firstOther),
                        std::string("Byte 0x") + Hex[byte >> 4] + Hex[byte & 15] +
                            " ist kein UTF-8, die Datei hat aber UTF-8 (Zeile " +
                            std::to_string(at.line(firstUtf8)) +
                            "): das Men\xFC liest sie dann nicht als UTF-8 und zeigt jeden "
                            "UTF-8-Buchstaben als zwei Zeichen; die ganze Datei in einer "
                            "Kodierung speichern (UTF-8 oder ANSI)",
                        at.column(firstOther)));
}

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
                            "chstens 19 Men\xFCpunkte und meldet \"Dateifehler Menuausfuhrung "
                            "nicht gefunden.\"; Men\xFCpunkte auf h\xF6"
                            "chstens 18 k\xFCrzen"));
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
          std::to_string(MaxItems) +
          " hinzu, und ab 20 Men\xFCpunkten l\xE4"
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

// A text holding one CR LF anywhere is a CR LF text to the menu: each lone
// LF in it is an ordinary byte, shown as a glyph, and joins two lines. Where
// the lone LFs are more, the CR LF is the mistake, and everything the parse
// found is its consequence: true then.
bool checkLineEnds(std::string_view text, const Places& at, Findings& out) {
  std::size_t firstLone = std::string_view::npos;
  std::size_t firstPair = std::string_view::npos;
  int lone = 0;
  int pairs = 0;
  for (std::size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1)) {
    if (i > 0 && text[i - 1] == '\r') {
      if (pairs++ == 0) firstPair = i - 1;
    } else if (lone++ == 0) {
      firstLone = i;
    }
  }
  if (lone == 0 || pairs == 0) return false;
  if (pairs < lone) {
    out.push_back(finding(
        FindingKind::MixedLineEnds, Severity::Error, at.line(firstPair),
        "Zeilenende CR LF in einer Datei mit LF (Zeilen mit CR LF: " + std::to_string(pairs) +
            "): das Men\xFC nimmt dann nur CR LF als Zeilenende und h\xE4ngt "
            "die Zeilen mit LF aneinander; das CR am Zeilenende l\xF6schen",
        at.column(firstPair)));
    return true;
  }
  out.push_back(
      finding(FindingKind::MixedLineEnds, Severity::Error, at.line(firstLone),
              "Zeilenende LF in einer Datei mit CR LF (Zeilen mit LF: " + std::to_string(lone) +
                  "): das Men\xFC nimmt nur CR LF als Zeilenende und h\xE4ngt "
                  "die n\xE4"
                  "chste Zeile an diese an; die Datei einheitlich mit CR LF "
                  "speichern"));
  return false;
}

void checkLoaded(const MenuModel& model, const Places& at, const CheckRules& rules,
                 std::size_t marker, Findings& out) {
  checkDisplayMarkerLine(model, at, marker, out);
  checkItemCount(model, at, out);
  checkDisplayLines(model, at, rules, out);
  const int shiftedFrom = checkMissingTabs(model, at, out);
  if (shiftedFrom == 0) {
    checkExecutionParts(model, at, out);
    checkBeforeFirstTab(model, at, out);
  }
  checkStatuses(model, at, shiftedFrom, out);
  checkDirectoryChanges(model, at, rules, shiftedFrom, out);
  checkAfterEndMarker(model, at, out);
}

}  // namespace

MenuCheck checkMenuText(std::string_view text, const CheckRules& rules) {
  MenuCheck check;
  Findings& out = check.findings;
  MenuModel model;
  const ParseResult parse = parseMenuText(model, std::string(text));
  if (parse == ParseResult::Loaded) {
    check.loads = true;
    check.items = model.itemCount;
  }
  if (const auto unreadable = unreadableEncoding(text)) {
    out.push_back(*unreadable);
    return check;
  }
  const Places at(text, model.utf8);
  Findings parsed;
  const std::size_t marker = model.rawText.find(DisplayMarker);
  switch (parse) {
    case ParseResult::NoDisplayMarker:
      if (const auto misspelt = misspeltMarker(text, DisplayMarker, 0)) {
        parsed.push_back(markerFinding(at, *misspelt, DisplayMarker));
      } else {
        // The menu shows " Dateifehler " instead of its items.
        parsed.push_back(finding(FindingKind::NoDisplayMarker, Severity::Error, 1,
                                 "(Menuanzeige) fehlt: das Men\xFC zeigt \"Dateifehler\" statt "
                                 "der Men\xFCpunkte; vor die erste Anzeigezeile eine Zeile "
                                 "(Menuanzeige) einf\xFCgen"));
      }
      break;
    case ParseResult::NoExecutionMarker:
      checkDisplayMarkerLine(model, at, marker, parsed);
      checkMissingExecution(model, at, marker, parsed);
      break;
    case ParseResult::Loaded:
      checkLoaded(model, at, rules, marker, parsed);
      break;
  }
  checkHeader(model, at, rules, parsed);
  if (!checkLineEnds(text, at, out)) out.insert(out.end(), parsed.begin(), parsed.end());
  checkEncodings(text, at, out);
  checkHeaderKey(text, at, out);
  std::stable_sort(out.begin(), out.end(), [](const MenuFinding& a, const MenuFinding& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
  return check;
}

std::vector<MenuFinding> trustFindings(FileTrust trust, bool allowed) {
  constexpr std::string_view Refused =
      ": das Men\xFC zeigt sie, startet ihre Befehle aber nicht und \xE4ndert sie nicht";
  // An allow list never speaks for a file everyone may write.
  if (allowed && trust != FileTrust::OthersMayWrite && trust != FileTrust::Trusted) {
    return {finding(FindingKind::AllowedMenu, Severity::Note, 1,
                    "freigegeben (menue --allow): das Men\xFC f\xFChrt genau diese Fassung aus; "
                    "jede \xC4nderung macht sie wieder fremd")};
  }
  switch (trust) {
    case FileTrust::OtherOwner:
      return {finding(
          FindingKind::OtherOwner, Severity::Error, 1,
          std::string(distrustText(trust)) + std::string(Refused) + " (freigeben: menue --allow)")};
    // Which write bit lets others in, and how to take it away.
    case FileTrust::GroupMayWrite:
      return {finding(FindingKind::GroupMayWrite, Severity::Error, 1,
                      std::string(distrustText(trust)) +
                          " (Gruppe mit weiteren Mitgliedern oder Zugriffsliste)" +
                          std::string(Refused) + " (abhelfen: chmod g-w oder menue --allow)")};
    case FileTrust::GroupUnlisted:
      return {finding(FindingKind::GroupMayWrite, Severity::Error, 1,
                      std::string(distrustText(trust)) +
                          " (Gruppe nicht pr\xFC"
                          "fbar: die Gruppendatenbank nennt nicht alle Eintr\xE4ge, "
                          "nsswitch.conf)" +
                          std::string(Refused) + " (abhelfen: chmod g-w oder menue --allow)")};
    case FileTrust::OthersMayWrite:
      return {finding(FindingKind::OthersMayWrite, Severity::Error, 1,
                      std::string(distrustText(trust)) + " (f\xFCr alle)" + std::string(Refused) +
                          " (abhelfen: chmod o-w)")};
    case FileTrust::Trusted:
      break;
  }
  return {};
}

}  // namespace menue
