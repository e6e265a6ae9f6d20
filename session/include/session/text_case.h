// The letter-case and blank rules by which typed lines are recognised.
#pragma once

#include <string>

namespace menue {

// Upper-cases a-z and the OEM letters ä ö ü é ñ å ç, as the menu commands
// compare.
std::string upperOem(std::string text);
// The same for typed text (UTF-8): a-z and the letters ä ö ü é ñ å ç upper
// case; every other character stays.
std::string upperTyped(std::string_view text);
// Lower-cases A-Z only, as the directory commands compare.
std::string lowerAscii(std::string text);
// Without leading and trailing blanks.
std::string trimBlanks(const std::string& line);

}  // namespace menue
