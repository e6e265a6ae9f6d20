// The lookups of code page 850: a byte's character and a character's byte.
#include "platform/code_pages.h"

namespace menue {

char16_t oemCharacter(unsigned char byte) {
  return byte < 0x80 ? static_cast<char16_t>(byte) : CodePage850[byte - 0x80u];
}

int oemByteOf(char32_t character) {
  if (character < 0x80) return static_cast<int>(character);
  for (unsigned i = 0; i < CodePage850.size(); ++i) {
    if (CodePage850[i] == character) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace menue
