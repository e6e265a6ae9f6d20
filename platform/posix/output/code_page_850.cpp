// The UTF-8 glyphs that show code page 850 cells on the terminal.
#include "platform/posix/output/code_page_850.h"

#include <array>
#include <cstdint>

#include "platform/code_pages.h"

namespace menue {

namespace {

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
  for (unsigned b = 0; b < 256; ++b)
    table[b] = encode(cellCharacter(static_cast<unsigned char>(b)));
  return table;
}

constexpr std::array<Glyph, 256> Glyphs = buildGlyphs();

}  // namespace

std::string_view cellGlyph(unsigned char byte) {
  const Glyph& g = Glyphs[byte];
  return {g.bytes.data(), g.length};
}

}  // namespace menue
