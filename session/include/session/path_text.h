// Paths as the program writes them: a name joined to a directory by the
// platform's rules, a name or path made visible, why a path could not be
// used, and the error line of the command line about a path or an argument.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

// The directory, a separator unless it ends in one, and the name.
std::string joinPath(std::string directory, std::string_view name, const PathRules& rules);
// A name, path or argument (system form) as the command line prints it: each
// control character escaped as `ls -b` writes it, and a backslash that is no
// separator doubled (escapeControls, EscapeStyle::Path), so no byte of a
// name acts on the terminal and the text names one path.
std::string visiblePath(std::string_view systemForm, const PathRules& rules);
// Why a path could not be read or entered (German, Windows-1252).
std::string pathFailureText(PlatformCode failure);
// Why a file or stream could not be written (German, Windows-1252).
std::string writeFailureText(PlatformCode failure);
// "menue: SUBJECT: text" and a line end; the subject (a path, an argument)
// as visiblePath made it, the text Windows-1252.
void writeErrorLine(StandardStream& err, std::string_view subject, std::string_view text);

}  // namespace menue
