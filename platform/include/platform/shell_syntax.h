// Whether one command line needs the POSIX shell to mean what it says, and
// so whether a single-line item runs through it.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace menue {

// Whether /bin/sh would read `line` otherwise than as blank-separated words
// naming a program and its arguments: it holds a character the shell treats
// specially (single quotes, $, `, \, globs, redirections, ;, &, |, (, ),
// ~, #, ...; double quotes group words for a direct start just as well),
// its first word assigns a variable, or its first word is a built-in or a
// keyword of the shell.
bool needsShell(std::string_view line);

// Whether a single command line is handed to the command interpreter whole
// rather than started as a program: only where the platform says so and the
// line needs the shell.
inline bool runsThroughShell(std::string_view line, const PathRules& rules) {
  return rules.shellForShellSyntax && needsShell(line);
}

}  // namespace menue
