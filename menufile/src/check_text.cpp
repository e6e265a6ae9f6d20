// The checks of a MenuFile text as bytes: encodings the menu cannot read,
// encodings mixed in one text, and mixed line ends.
#include "check_text.h"

#include <algorithm>
#include <string>

#include "platform/utf8.h"

namespace menue::checks {

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

}  // namespace menue::checks
