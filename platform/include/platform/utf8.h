// UTF-8 and its lossless kin WTF-8 (UTF-8 that may hold unpaired
// surrogates, as Windows names may): writing characters, reading them back,
// whether a text is UTF-8, the way from a single-byte code page, and the way
// to and from UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/code_pages.h"

namespace menue {

// One character read from a text.
struct Utf8Character {
  char32_t character = 0;
  // Bytes taken: the character's, or 1 for a byte that starts no character.
  std::size_t length = 1;
  bool valid = false;
};

// The bytes of the character a lead byte starts (1 for ASCII), or 0 for a
// byte that starts none.
std::size_t utf8SequenceLength(unsigned char lead);
// The character at `at`; with `surrogates` a coded surrogate (WTF-8) counts
// as one, else as bytes that start no character. Overlong forms never count.
Utf8Character readUtf8(std::string_view text, std::size_t at, bool surrogates = false);
void appendUtf8(std::string& out, char32_t character);
// A text of a single-byte code page in UTF-8: ASCII as it is, each byte from
// 0x80 as the character the code page's upper half gives it.
std::string utf8Of(std::string_view text, const UpperHalf& upperHalf);

// Whether the text is valid UTF-8 and holds a character beyond ASCII: the
// way a text written in UTF-8 shows itself (a text in a single-byte code
// page with letters beyond ASCII is hardly ever valid UTF-8).
bool isUtf8Text(std::string_view text);
// The characters of a UTF-8 text: every byte but the continuation bytes.
std::size_t utf8Length(std::string_view text);
// The longest start of a UTF-8 text of at most `bytes` bytes that cuts no
// character, in bytes.
std::size_t utf8CutWithin(std::string_view text, std::size_t bytes);
// Drops the last character of a UTF-8 text (a stray byte alone).
void dropLastUtf8Character(std::string& text);

// WTF-8 to UTF-16 and back; a byte that starts no character becomes U+FFFD.
std::u16string utf16Of(std::string_view wtf8);
std::string wtf8Of(std::u16string_view utf16);

}  // namespace menue
