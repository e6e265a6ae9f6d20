// Splitting command lines and turning a LaunchScript into shell text.
#include "processes/command_line.h"

namespace menue {

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
  if (word.size() <= Suffix.size()) return false;
  const std::string_view end = word.substr(word.size() - Suffix.size());
  for (std::size_t i = 0; i < Suffix.size(); ++i) {
    const char c = end[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != Suffix[i]) return false;
  }
  return true;
}

std::string shellText(std::string_view scriptContents) {
  const auto firstLineEnd = scriptContents.find('\n');
  if (firstLineEnd == std::string_view::npos) return {};
  const std::string_view body = scriptContents.substr(firstLineEnd + 1);
  std::string text;
  text.reserve(body.size());
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n') continue;
    text += body[i];
  }
  return text;
}

}  // namespace menue
