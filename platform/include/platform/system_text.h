// Text on its way between the console and the system. The core holds what
// the user types and what the screen shows as console text (code page 850);
// the system names files, directories, programs and their command lines in
// its own system form (platform.h): the exact bytes on POSIX, which a UTF-8
// terminal types as UTF-8; on Windows the UTF-16 text carried as WTF-8. Both
// are UTF-8 where they hold characters, so one pair of conversions serves
// every backend.
#pragma once

#include <string>
#include <string_view>

namespace menue {

// The system form of console text: what the user typed, as the characters
// typed.
std::string systemFormOf(std::string_view consoleText);
// Console text of a system form, for the screen: each character as its code
// page 850 byte, '?' for a character the code page lacks and for a byte
// that starts no character.
std::string consoleTextOf(std::string_view systemForm);

}  // namespace menue
