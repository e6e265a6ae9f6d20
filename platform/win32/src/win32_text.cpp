// The system form at the W calls, and the ANSI code page as the path rules
// read it.
#include "platform/win32/win32_text.h"

#include "platform/utf8.h"
#include "platform/win32/win32_api.h"

namespace menue::win32 {

// wchar_t is UTF-16 on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring toWide(std::string_view systemForm) {
  const std::u16string utf16 = utf16Of(systemForm);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string fromWide(std::wstring_view wide) {
  return wtf8Of(std::u16string(wide.begin(), wide.end()));
}

PathRules windowsPathRules() {
  PathRules rules;
  // What CreateProcessA made of each byte; a byte that stands for no
  // character on its own (a lead byte of a double-byte code page) is '?'.
  for (unsigned byte = 0x80; byte < 0x100; ++byte) {
    const char narrow = static_cast<char>(byte);
    wchar_t wide = 0;
    const bool one = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &narrow, 1, &wide, 1) == 1;
    rules.plainCommandBytes[byte - 0x80] = one && wide != 0 ? static_cast<char16_t>(wide) : u'?';
  }
  return rules;
}

}  // namespace menue::win32
