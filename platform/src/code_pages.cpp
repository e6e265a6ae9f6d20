// The lookups of the single-byte code pages: a byte's character and a
// character's byte.
#include "platform/code_pages.h"

namespace menue {

char16_t oemCharacter(unsigned char byte) {
  return byte < 0x80 ? static_cast<char16_t>(byte) : CodePage850[byte - 0x80u];
}

int byteIn(const UpperHalf& upperHalf, char32_t character) {
  if (character < 0x80) return static_cast<int>(character);
  for (unsigned i = 0; i < upperHalf.size(); ++i) {
    if (upperHalf[i] == character) return static_cast<int>(0x80 + i);
  }
  return -1;
}

int cellByteOf(char32_t character) {
  if (character >= 0x20 && character < 0x7F) return static_cast<int>(character);
  for (unsigned i = 1; i < ControlGlyphs.size(); ++i) {
    if (ControlGlyphs[i] == character) return static_cast<int>(i);
  }
  if (character == 0x2302) return 0x7F;
  return character < 0x80 ? -1 : byteIn(CodePage850, character);
}

int oemByteOf(char32_t character) {
  return byteIn(CodePage850, character);
}

}  // namespace menue
