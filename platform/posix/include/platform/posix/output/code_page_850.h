// The OEM code page 850 as the terminal shows it.
#pragma once

#include <string_view>

namespace menue {

// The UTF-8 glyph that shows a cell byte on the terminal: code page 850 with
// the classic glyphs for 0x00-0x1F and 0x7F, so no byte is ever sent as a
// control character. Always exactly one terminal column.
std::string_view cellGlyph(unsigned char byte);

}  // namespace menue
