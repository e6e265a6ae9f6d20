// The encodings a MenuFile's bytes may be in, and the two ways between them
// and the program's UTF-8 text: decoding, which never fails, and encoding,
// which names the first character the encoding cannot hold instead of
// dropping or replacing it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace menue {

enum class TextEncoding { Oem850, Windows1252, Utf8 };

// UTF-8 of a text in an encoding. The single-byte code pages give every byte
// its character (the bytes below 0x80, controls included, are ASCII), so the
// way back gives the same bytes; in UTF-8 a byte that starts no character
// becomes U+FFFD, and valid text stays as it is.
std::string decodeText(std::string_view bytes, TextEncoding encoding);

// A UTF-8 text in an encoding: the bytes, or the first character the
// encoding cannot hold and the byte offset in the text where it starts. A
// byte that starts no character is never stored either: it counts as
// U+FFFD, which no encoding here writes for it.
struct EncodeResult {
  bool ok = true;
  std::string bytes;
  char32_t unencodable = 0;
  std::size_t offset = 0;
};
EncodeResult encodeText(std::string_view utf8, TextEncoding encoding);

// How a message names the encoding: "Codepage 850", "Windows-1252", "UTF-8".
std::string_view encodingName(TextEncoding encoding);

}  // namespace menue
