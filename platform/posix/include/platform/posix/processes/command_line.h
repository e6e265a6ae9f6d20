// How a command line becomes a program start on POSIX: words for
// posix_spawnp, or the shell text of a LaunchScript (.cmd) file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace menue {

// Blanks separate words; double quotes group blanks into a word and are
// removed.
std::vector<std::string> splitWords(std::string_view commandLine);

// Whether a word names a LaunchScript: it ends in ".cmd" in any case.
bool namesScript(std::string_view word);

// The shell's text of a script file: a first line "@Echo off" left out (any
// other first line is kept), the CR of each CR LF removed.
std::string shellText(std::string_view scriptContents);

}  // namespace menue
