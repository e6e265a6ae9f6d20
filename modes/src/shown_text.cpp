// A file's text made safe to print, in the text style of the one escaper.
#include "modes/shown_text.h"

#include "session/terminal_escape.h"

namespace menue {

std::string shownText(std::string_view bytes) {
  return escapeControls(bytes, EscapeStyle::Text);
}

}  // namespace menue
