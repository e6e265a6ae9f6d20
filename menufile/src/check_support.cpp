// What the checks of a MenuFile text share: findings, item names, lines
// and the misspelt markers.
#include "check_support.h"

#include "platform/letters.h"

namespace menue::checks {

// What a length counts: characters, or columns where wide characters or
// combining marks make the two differ.
std::string_view lengthUnit(const Places& at, std::string_view text) {
  return at.widthDiffers(text) ? " Spalten" : " Zeichen";
}

MenuFinding finding(FindingKind kind, Severity severity, int line, std::string message,
                    int column) {
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

std::vector<Line> linesOf(std::string_view text, std::size_t from) {
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
    const char32_t letter = germanCharacterOf(byte);
    if (letter == U'\u00FC' || letter == U'\u00DC') {
      out += 'u';
    } else if (const char next = at + 1 < line.size() ? line[at + 1] : '\0';
               (byte == 0xC3 && (next == '\xBC' || next == '\x9C')) ||
               ((byte == 'u' || byte == 'U') && (next == 'e' || next == 'E'))) {
      out += 'u';
      ++at;
    } else {
      out += asciiLower(line[at]);
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

}  // namespace menue::checks
