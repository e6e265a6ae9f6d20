// The UTF-8 glyphs that show code page 850 cells on the terminal.
#include "output/code_page_850.h"

#include <array>
#include <cstdint>

#include "platform/code_pages.h"

namespace menue {

namespace {

// The glyphs of the control bytes 0x00-0x1F; 0x00 shows as a blank.
constexpr std::array<char16_t, 32> ControlGlyphs = {
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  // 0x00
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  // 0x08
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  // 0x10
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,  // 0x18
};

constexpr char16_t HouseGlyph = 0x2302;  // 0x7F
constexpr unsigned char SoftHyphen = 0xF0;

constexpr char16_t displayedCharacter(unsigned byte) {
  if (byte < 0x20) return ControlGlyphs[byte];
  if (byte == 0x7F) return HouseGlyph;
  // Terminals disagree on the width of a soft hyphen; a hyphen keeps the
  // cell count right.
  if (byte == SoftHyphen) return u'-';
  if (byte < 0x80) return static_cast<char16_t>(byte);
  return CodePage850[byte - 0x80];
}

struct Glyph {
  std::array<char, 3> bytes{};
  std::uint8_t length = 0;
};

constexpr Glyph encode(char16_t c) {
  Glyph g;
  if (c < 0x80) {
    g.bytes[0] = static_cast<char>(c);
    g.length = 1;
  } else if (c < 0x800) {
    g.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
    g.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
    g.length = 2;
  } else {
    g.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
    g.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    g.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
    g.length = 3;
  }
  return g;
}

constexpr std::array<Glyph, 256> buildGlyphs() {
  std::array<Glyph, 256> table{};
  for (unsigned b = 0; b < 256; ++b) table[b] = encode(displayedCharacter(b));
  return table;
}

constexpr std::array<Glyph, 256> Glyphs = buildGlyphs();

}  // namespace

std::string_view cellGlyph(unsigned char byte) {
  const Glyph& g = Glyphs[byte];
  return {g.bytes.data(), g.length};
}

}  // namespace menue
