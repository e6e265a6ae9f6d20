// The ECMA-48 / xterm control sequences the backend sends to the terminal.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue::vt {

inline constexpr std::string_view ShowCursor = "\x1b[?25h";
inline constexpr std::string_view HideCursor = "\x1b[?25l";
// Button reports in the SGR form. Each DEC private mode goes in a sequence
// of its own: terminals built on libvterm up to 0.1.4 read only the first
// parameter of CSI ? Pm h, so "?1000;1006h" would leave SGR reports off and
// "?1006;1000l" mouse reporting on after the exit.
inline constexpr std::string_view MouseOn = "\x1b[?1000h\x1b[?1006h";
inline constexpr std::string_view MouseOff = "\x1b[?1006l\x1b[?1000l";
// Bracketed paste: the terminal marks pasted text (ESC [ 200 ~ ... ESC [ 201 ~).
inline constexpr std::string_view PasteOn = "\x1b[?2004h";
inline constexpr std::string_view PasteOff = "\x1b[?2004l";
// DECAWM: with it off a write into the last column stays there, so the
// bottom right cell of a window as small as the screen never scrolls it.
inline constexpr std::string_view AutowrapOff = "\x1b[?7l";
inline constexpr std::string_view AutowrapOn = "\x1b[?7h";
inline constexpr std::string_view ResetAttributes = "\x1b[0m";
// ED 2: the whole display, in the current background colour.
inline constexpr std::string_view EraseDisplay = "\x1b[2J";

// The ANSI colour number (0-7, bit 0 red) of a console colour's low three
// bits (bit 0 blue).
int ansiColour(int consoleColour);
// Sets foreground and background of a console attribute (bright colours as
// 90-97 and 100-107).
void appendSgr(std::string& out, Attribute attr);
// Cursor to a 0-based position.
void appendCursorPosition(std::string& out, CellPos pos);

}  // namespace menue::vt
