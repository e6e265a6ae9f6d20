// The checks of a MenuFile text as bytes: encodings the menu cannot read,
// encodings mixed in one text, and mixed line ends.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "check_support.h"

namespace menue::checks {

// The encodings the menu cannot read at all: it reads bytes and finds no
// marker in UTF-16; a text without LF is one line to it.
std::optional<MenuFinding> unreadableEncoding(std::string_view text);

// UTF-8 and other bytes above 127 in one text: the menu then takes the
// text in the Windows encodings, and each UTF-8 letter shows as two.
void checkEncodings(std::string_view text, const Places& at, Findings& out);

// A text holding one CR LF anywhere is a CR LF text to the menu: each lone
// LF in it is an ordinary byte, shown as a glyph, and joins two lines. Where
// the lone LFs are more, the CR LF is the mistake, and everything the parse
// found is its consequence: true then.
bool checkLineEnds(std::string_view text, const Places& at, Findings& out);

}  // namespace menue::checks
