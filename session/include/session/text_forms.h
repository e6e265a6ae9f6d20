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
// The text of a LaunchScript, or the first character its interpreter could
// not read: the script would run another command than the one meant.
struct ScriptText {
  bool ok = true;
  std::string text;
  char32_t refused = 0;
};
// Command lines of a MenuFile as the LaunchScript holds them: in the
// console's code page where the interpreter reads that (the German letters
// as their OEM bytes, other bytes as they are, a UTF-8 file's characters in
// code page 850, refused for one it lacks), else in the system form.
ScriptText menuScriptText(std::string_view bytes, bool utf8, const PathRules& rules);
// A typed line (UTF-8) as the LaunchScript holds it: as typed where the
// interpreter reads the system form; in the console's code page where it
// reads that, refused for a character the code page lacks.
ScriptText typedScriptText(std::string_view typed, const PathRules& rules);
// The message for a refused script (UTF-8).
std::string scriptRefusal(char32_t refused);

}  // namespace menue
