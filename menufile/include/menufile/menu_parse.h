// The loader's parse of a MenuFile text into the MenuModel.
#pragma once

#include <string>

#include "menufile/menu_model.h"

namespace menue {

enum class ParseResult {
  Loaded,
  NoDisplayMarker,    // no "(Menuanzeige)" in the text
  NoExecutionMarker,  // no "(Menuausfuhrung)" within the 20 lines after it
};

// Parses text into the model. On a failure the positions are all 0, header
// and frameWidth keep what the search found, itemCount keeps the last
// successful load's value and the model counts as empty.
ParseResult parseMenuText(MenuModel& model, std::string text);

// Whether text loads with exactly `items` items: edits write nothing else.
bool loadsWithItems(std::string text, int items);

}  // namespace menue
