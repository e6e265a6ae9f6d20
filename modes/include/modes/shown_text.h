// Text from files and names made safe to print: a MenuFile's display
// texts, command lines and paths may hold control characters that a
// terminal would take as commands.
#pragma once

#include <string>
#include <string_view>

namespace menue {

// The bytes with every control character shown as \xNN (escapeControls,
// EscapeStyle::Text); all other bytes as they are.
std::string shownText(std::string_view bytes);

}  // namespace menue
