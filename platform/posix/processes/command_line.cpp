// Splitting command lines and turning a LaunchScript into shell text.
#include "platform/posix/processes/command_line.h"

#include "platform/letters.h"

namespace menue {

namespace {

// Whether `text` is `lower` in any letter case (ASCII letters only).
bool equalsLowerAscii(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (asciiLower(text[i]) != lower[i]) return false;
  }
  return true;
}

// Whether a line (its CR aside) is "@Echo off" in any letter case: the line
// a LaunchScript begins with, which means nothing to the shell.
bool isEchoOffLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return equalsLowerAscii(line, "@echo off");
}

}  // namespace

std::vector<std::string> splitWords(std::string_view commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

bool namesScript(std::string_view word) {
  constexpr std::string_view Suffix = ".cmd";
  return word.size() > Suffix.size() &&
         equalsLowerAscii(word.substr(word.size() - Suffix.size()), Suffix);
}

std::string shellText(std::string_view scriptContents) {
  std::string_view body = scriptContents;
  const auto firstLineEnd = scriptContents.find('\n');
  const std::string_view firstLine = scriptContents.substr(0, firstLineEnd);
  if (isEchoOffLine(firstLine)) {
    body = firstLineEnd == std::string_view::npos ? std::string_view()
                                                  : scriptContents.substr(firstLineEnd + 1);
  }
  std::string text;
  text.reserve(body.size());
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') continue;
    text += body[i];
  }
  return text;
}

}  // namespace menue
