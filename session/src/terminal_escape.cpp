// The one escaper of the program's output: what counts as a control
// character, and how each style writes one.
#include "session/terminal_escape.h"

#include <cstdio>

#include "platform/utf8.h"

namespace menue {

namespace {

bool isControl(const Utf8Character& read, unsigned char firstByte) {
  if (read.valid) {
    return read.character < 0x20 || (read.character >= 0x7F && read.character <= 0x9F);
  }
  return firstByte >= 0x80 && firstByte <= 0x9F;
}

// A C escape where C has one, else three octal digits, as `ls -b` writes.
void appendOctal(std::string& out, unsigned char byte) {
  constexpr std::string_view Letters = "abtnvfr";
  out += '\\';
  if (byte >= '\a' && byte <= '\r') {
    out += Letters[byte - '\a'];
    return;
  }
  out += static_cast<char>('0' + (byte >> 6));
  out += static_cast<char>('0' + ((byte >> 3) & 7));
  out += static_cast<char>('0' + (byte & 7));
}

void appendHex(std::string& out, unsigned code) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", code);
  out += text;
}

}  // namespace

std::string escapeControls(std::string_view bytes, EscapeStyle style) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t at = 0;
  while (at < bytes.size()) {
    // Surrogates count as characters: a Windows name may hold them (WTF-8).
    const Utf8Character read = readUtf8(bytes, at, true);
    const std::string_view character = bytes.substr(at, read.length);
    at += read.length;
    const auto first = static_cast<unsigned char>(character[0]);
    if (!isControl(read, first)) {
      if (first == '\\' && style == EscapeStyle::Path) out += '\\';
      // A character, or a byte 0xA0-0xFF of a text in a single-byte code page.
      out += character;
    } else if (style == EscapeStyle::Text) {
      appendHex(out, read.valid ? static_cast<unsigned>(read.character) : first);
    } else {
      for (const char c : character) appendOctal(out, static_cast<unsigned char>(c));
    }
  }
  return out;
}

}  // namespace menue
