// Control characters as \xNN, so that printing a file's text never moves
// the cursor, changes colours or sends the terminal a command.
#include "modes/shown_text.h"

#include <cstdio>

namespace menue {

namespace {

void escape(std::string& out, unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", byte);
  out += text;
}

}  // namespace

std::string shownText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x20 || byte == 0x7F) {
      escape(out, byte);
    } else if (byte == 0xC2 && i + 1 < bytes.size() &&
               static_cast<unsigned char>(bytes[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(bytes[i + 1]) <= 0x9F) {
      // U+0080 to U+009F: the C1 controls, CSI among them.
      escape(out, static_cast<unsigned char>(bytes[++i]));
    } else {
      out += bytes[i];
    }
  }
  return out;
}

}  // namespace menue
