// A MenuFile's encoding as the program reads and writes it: which encoding
// a loaded text is in, its texts as characters for the screen, and typed
// text as the bytes the file stores, or the refusal that names the
// character the file cannot hold. An edit never drops or replaces a
// character.
#pragma once

#include <string>
#include <string_view>

#include "menufile/menu_model.h"
#include "platform/code_pages.h"
#include "platform/text_codec.h"

namespace menue {

// UTF-8 when the text is UTF-8 with characters beyond ASCII (MenuModel::utf8).
// Otherwise the German letters decide, as they are all such a file is known
// by: Windows-1252 when the text holds the ANSI form of one (as Notepad
// writes) and none whose only form is OEM; else code page 850, what the
// console types and the dialogues have always stored.
TextEncoding encodingOf(const MenuModel& model);

// A text of a MenuFile in the given encoding as characters (UTF-8). In the
// two code pages a German letter in either form is the letter, as it has
// always shown (so a file edited both by hand and by the dialogues reads
// right); every other byte is the encoding's character.
std::string menuTextOf(std::string_view bytes, TextEncoding encoding);
// The same for a text in a code page whose other bytes above 127 mean what
// `otherBytes` gives them: the one reading of a single-byte MenuFile text,
// for its screen, its dialogues and its command lines.
std::string singleByteMenuText(std::string_view bytes, const UpperHalf& otherBytes);

// Typed text (UTF-8) as a MenuFile in `encoding` stores it: the bytes, or,
// when a character cannot be stored so that it reads back as itself, that
// character and the message that names it (UTF-8): " Zeichen "€" passt
// nicht in diese Menüdatei (Codepage 850): nichts geändert.".
struct StoredText {
  bool ok = true;
  std::string bytes;
  char32_t refused = 0;
  std::string refusal;
};
StoredText storedText(std::string_view typed, TextEncoding encoding);
// The same for the MenuFile a model holds.
StoredText storedText(std::string_view typed, const MenuModel& model);

}  // namespace menue
