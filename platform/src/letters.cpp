// The letters of the program's texts, from the code page tables: which
// characters are the German letters and the folded ones, and their bytes.
#include "platform/letters.h"

#include <algorithm>
#include <array>

#include "platform/code_pages.h"

namespace menue {

namespace {

// ä ö ü Ä Ö Ü ß.
constexpr std::array<char16_t, 7> GermanLetters{0xE4, 0xF6, 0xFC, 0xC4, 0xD6, 0xDC, 0xDF};
// The lower-case letters the menu commands fold beside a-z: ä ö ü é ñ å ç.
// Their capitals are 0x20 below them, as everywhere in Latin-1.
constexpr std::array<char16_t, 7> FoldedLetters{0xE4, 0xF6, 0xFC, 0xE9, 0xF1, 0xE5, 0xE7};

bool isOneOf(char16_t character, const std::array<char16_t, 7>& letters) {
  return std::find(letters.begin(), letters.end(), character) != letters.end();
}

// The byte of a character that code page 850 is known to hold.
char oemByte(char16_t character) {
  return static_cast<char>(oemByteOf(character));
}

}  // namespace

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char germanLetterOf(unsigned char byte) {
  if (byte < 0x80) return 0;
  if (isOneOf(CodePage850[byte - 0x80u], GermanLetters)) return static_cast<char>(byte);
  const char16_t ansi = Windows1252[byte - 0x80u];
  return isOneOf(ansi, GermanLetters) ? oemByte(ansi) : '\0';
}

char32_t germanCharacterOf(unsigned char byte) {
  const char letter = germanLetterOf(byte);
  return letter ? oemCharacter(static_cast<unsigned char>(letter)) : 0;
}

std::string toOem(std::string_view windows1252) {
  std::string out(windows1252);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && isOneOf(Windows1252[byte - 0x80u], GermanLetters)) {
      c = oemByte(Windows1252[byte - 0x80u]);
    }
  }
  return out;
}

char oemUpper(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x80) return asciiUpper(c);
  const char16_t character = CodePage850[byte - 0x80u];
  return isOneOf(character, FoldedLetters) ? oemByte(static_cast<char16_t>(character - 0x20)) : c;
}

}  // namespace menue
