// The shell's syntax as far as telling a plain program start from a line
// the shell must read (the same decision GNU make takes for a recipe line).
#include "platform/shell_syntax.h"

#include <algorithm>
#include <array>

namespace menue {

namespace {

// Characters with a meaning of their own to the shell anywhere in a line.
// A double quote is not among them: a direct start groups words by double
// quotes as the shell does ($, ` and \ inside them are caught by their own),
// so a quoted program name, a LaunchScript-like ".cmd" file among them,
// keeps being started as before.
constexpr std::string_view SpecialCharacters = "'\\$`*?[]#~&|;<>(){}!^\n";

// The POSIX shell's reserved words and the built-ins that only the shell
// can carry out (no program of that name does the same): sorted.
constexpr std::array<std::string_view, 43> ShellWords = {
    ".",      ":",        "alias",   "bg",    "break",   "case", "cd",    "command", "continue",
    "do",     "done",     "elif",    "else",  "esac",    "eval", "exec",  "exit",    "export",
    "fc",     "fg",       "fi",      "for",   "getopts", "hash", "if",    "jobs",    "local",
    "read",   "readonly", "return",  "set",   "shift",   "then", "times", "trap",    "type",
    "ulimit", "umask",    "unalias", "unset", "until",   "wait", "while",
};

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

bool isShellWord(std::string_view word) {
  return std::binary_search(ShellWords.begin(), ShellWords.end(), word);
}

}  // namespace

bool needsShell(std::string_view line) {
  if (line.find_first_of(SpecialCharacters) != std::string_view::npos) return true;
  const std::size_t start = std::min(line.size(), line.find_first_not_of(" \t"));
  std::size_t end = start;
  while (end < line.size() && !isBlank(line[end])) ++end;
  const std::string_view first = line.substr(start, end - start);
  // NAME=value before a command, or alone.
  if (!first.empty() && first.find('=') != std::string_view::npos && first.front() != '=')
    return true;
  return isShellWord(first);
}

}  // namespace menue
