// The system form at the W calls: WTF-8 to the UTF-16 the calls take and
// back, losslessly, and the facts of the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue::win32 {

std::wstring toWide(std::string_view systemForm);
std::string fromWide(std::wstring_view wide);
// The path rules of this system: the defaults with what its ANSI code page
// makes of the bytes 0x80-0xFF.
PathRules windowsPathRules();

}  // namespace menue::win32
