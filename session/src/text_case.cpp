// The letter-case and blank rules by which typed lines are recognised, by
// the platform's letter rules.
#include "session/text_case.h"

#include <algorithm>

#include "platform/code_pages.h"
#include "platform/letters.h"
#include "platform/utf8.h"

namespace menue {

std::string lowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), asciiLower);
  return text;
}

std::string upperOem(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), oemUpper);
  return text;
}

std::string upperTyped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character read = readUtf8(text, at);
    const int oem = read.valid ? oemByteOf(read.character) : -1;
    if (oem < 0) {
      out.append(text.substr(at, read.length));
    } else {
      appendUtf8(out, oemCharacter(static_cast<unsigned char>(oemUpper(static_cast<char>(oem)))));
    }
    at += read.length;
  }
  return out;
}

std::string trimBlanks(const std::string& line) {
  const auto first = line.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

}  // namespace menue
