// Text made safe to print on a terminal: the one rule of what a control
// character is, and the styles in which one is written visibly.
#pragma once

#include <string>
#include <string_view>

namespace menue {

enum class EscapeStyle {
  // A MenuFile's text (--list, --history): each control character as \xNN,
  // NN its code (U+009B as \x9B).
  Text,
  // A name as `ls -b` writes it: \a \b \t \n \v \f \r, else \ooo for each
  // byte, and a backslash doubled so that the text names one path.
  Path,
  // As Path where the backslash is the separator: it stays single.
  SeparatedPath,
};

// The bytes with every control character escaped in the style, all others
// as they are. A control character is one of C0, DEL and C1: U+0000 to
// U+001F and U+007F to U+009F as UTF-8 (WTF-8) writes them, or a byte 0x80
// to 0x9F that starts no character (a terminal of a single-byte code page
// takes a lone 0x9B as CSI).
std::string escapeControls(std::string_view bytes, EscapeStyle style);

}  // namespace menue
