// The forms a text takes on its way from the user or a MenuFile to the
// system: command lines and paths in the system form, the LaunchScript's
// text in the form its command interpreter reads, and typed text in the
// encoding of the MenuFile it goes into.
#pragma once

#include <string>
#include <string_view>

#include "platform/letters.h"
#include "platform/platform.h"

namespace menue {

// A command line (or a path in one) of a MenuFile in the system form: a
// UTF-8 file's bytes as they are; else the German letters as letters and
// every other byte as the platform read it unconverted before
// (PathRules::plainCommandBytes).
std::string menuCommandLine(std::string_view bytes, bool utf8, const PathRules& rules);
// Command lines of a MenuFile as the LaunchScript holds them: in the
// console's code page where the interpreter reads that (the German letters
// as their OEM bytes, other bytes as they are, a UTF-8 file's characters in
// code page 850), else in the system form.
std::string menuScriptText(std::string_view bytes, bool utf8, const PathRules& rules);
// A typed line (console text) as the LaunchScript holds it.
std::string typedScriptText(std::string_view consoleText, const PathRules& rules);
// Typed text as a MenuFile keeps it: UTF-8 in a UTF-8 file, so that the
// file stays UTF-8; else the console's bytes as typed.
std::string typedMenuText(std::string_view consoleText, bool utf8);

}  // namespace menue
