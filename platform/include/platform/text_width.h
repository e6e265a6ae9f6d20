// The display columns of text: how many columns a character and a UTF-8
// text take on a screen, and how much of a text fits in a number of them.
// The widths come from the Unicode data (scripts/unicode_width.sh), not from
// the C library's locale, so every system counts alike.
#pragma once

#include <cstddef>
#include <string_view>

namespace menue {

// The columns a character takes: 2 for the East Asian wide and fullwidth
// characters, 0 for the marks that combine with the character before them
// and for the invisible format characters (U+200B, U+200D, U+FEFF and the
// like), 1 for everything else. A control character (C0, DEL, C1), an
// unassigned code point or a surrogate counts 1 as well: the screen shows it
// as a visible replacement of one column, never as itself.
int characterColumns(char32_t c);

// The columns of a UTF-8 text: the sum over its characters; a byte that
// starts no character counts 1, as it shows as one replacement.
int textColumns(std::string_view utf8);

// The byte length of the longest prefix of a UTF-8 text that fits in
// `columns`: it never splits a character, leaves out a wide character that
// would straddle the limit, and keeps the combining marks that follow the
// last character it takes (they take no column of their own).
std::size_t prefixWithinColumns(std::string_view utf8, int columns);

}  // namespace menue
