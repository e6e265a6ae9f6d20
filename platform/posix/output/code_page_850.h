// The OEM code page 850 as the terminal shows it and as the keyboard types it.
#pragma once

#include <string_view>

namespace menue {

// The UTF-8 glyph that shows a cell byte on the terminal: code page 850 with
// the classic glyphs for 0x00-0x1F and 0x7F, so no byte is ever sent as a
// control character. Always exactly one terminal column.
std::string_view cellGlyph(unsigned char byte);

// The code page 850 byte (0x80-0xFF) of a Unicode character, or -1 when the
// code page has none. ASCII is not looked up here.
int oemByteOf(char32_t character);

}  // namespace menue
