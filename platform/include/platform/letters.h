// The letters of the program's texts, derived from the code page tables in
// one place: the seven German letters between Windows-1252 and code page
// 850, and letter case as the commands, the environment and the Windows
// file systems compare it.
#pragma once

#include <string>
#include <string_view>

namespace menue {

// A-Z to a-z and back; every other byte stays.
char asciiLower(char c);
char asciiUpper(char c);

// The German letter a byte stands for in either Windows encoding, as its
// code page 850 byte, or 0 for any other byte. The letters ä ö ü Ä Ö Ü ß are
// 0x84 0x94 0x81 0x8E 0x99 0x9A 0xE1 in OEM (what the dialogues store) and
// 0xE4 0xF6 0xFC 0xC4 0xD6 0xDC 0xDF in ANSI (what Notepad writes). A byte
// that is a German letter in one encoding and another letter in the other
// (0xE1: ß in OEM, á in ANSI; 0x9A: Ü in OEM, š in ANSI) is the German
// letter.
char germanLetterOf(unsigned char byte);
// The same German letter as a character (U+00E4 ...), or 0.
char32_t germanCharacterOf(unsigned char byte);

// Windows-1252 -> code page 850 for the seven German letters; every other
// byte passes unchanged.
std::string toOem(std::string_view windows1252);

// The upper case of a code page 850 byte as the menu commands compare:
// a-z and the letters ä ö ü é ñ å ç; every other byte stays.
char oemUpper(char c);

}  // namespace menue
