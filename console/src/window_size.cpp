// The notice of a window too small for the menu.
#include "console/window_size.h"

namespace menue {

namespace {

std::string sizeText(WindowSize size) {
  return std::to_string(size.columns) + "x" + std::to_string(size.rows);
}

}  // namespace

std::string smallWindowNotice(WindowSize window) {
  if (windowFits(window)) return {};
  return "Fenster zu klein: " + sizeText(LeastWindow) + " n\xF6tig, " + sizeText(window) +
         " vorhanden";
}

}  // namespace menue
