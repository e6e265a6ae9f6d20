// The letter-case and blank rules by which typed lines are recognised.
#include "session/text_case.h"

namespace menue {

std::string lowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string upperOem(const std::string& line) {
  std::string upper = line;
  for (char& c : upper) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') {
      c = static_cast<char>(byte - 'a' + 'A');
      continue;
    }
    switch (byte) {
      case 0x84:
        c = '\x8E';
        break;  // ä
      case 0x94:
        c = '\x99';
        break;  // ö
      case 0x81:
        c = '\x9A';
        break;  // ü
      case 0x82:
        c = '\x90';
        break;  // é
      case 0xA4:
        c = '\xA5';
        break;  // ñ
      case 0x86:
        c = '\x8F';
        break;  // å
      case 0x87:
        c = '\x80';
        break;  // ç
      default:
        break;
    }
  }
  return upper;
}

std::string trimBlanks(const std::string& line) {
  const auto first = line.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

}  // namespace menue
