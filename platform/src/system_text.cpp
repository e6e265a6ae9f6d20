// Console text (code page 850) to the system form and back.
#include "platform/system_text.h"

#include "platform/code_pages.h"
#include "platform/utf8.h"

namespace menue {

std::string systemFormOf(std::string_view consoleText) {
  return utf8Of(consoleText, CodePage850);
}

std::string consoleTextOf(std::string_view systemForm) {
  std::string out;
  out.reserve(systemForm.size());
  for (std::size_t at = 0; at < systemForm.size();) {
    const Utf8Character read = readUtf8(systemForm, at, true);
    const int oem = read.valid ? oemByteOf(read.character) : -1;
    out += oem >= 0 ? static_cast<char>(oem) : '?';
    at += read.length;
  }
  return out;
}

}  // namespace menue
