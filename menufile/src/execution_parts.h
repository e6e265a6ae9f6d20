// Where each item's ExecutionPart lies in a parsed text, for the accessors
// and the text builders.
#pragma once

#include <cstddef>
#include <string>

#include "menufile/menu_model.h"

namespace menue {

// A 0-based half-open range of the text.
struct TextRange {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The 0-based position of the line end of the "(Menuausfuhrung)" line, where
// the search for the first TAB starts.
std::size_t execScanStart(const MenuModel& model);

// Whether the TAB that opens item i's ExecutionPart was found (i up to
// itemCount + 1, the last being the end marker). Once a TAB is missing, all
// later ones are missing too, since the search runs to the end of the text.
bool hasOpeningTab(const MenuModel& model, int item);

// Item i's ExecutionPart, up to the next TAB or the end of the text (a missing
// end marker counts as one at the end of the text). An item whose opening
// TAB is missing has no part: an empty range at the end of the text.
TextRange executionRange(const MenuModel& model, int item);

// Where a new item p's "TAB + part" goes: the 0-based position of the TAB
// that opens the present item p (or of the end marker), or the end of the
// text when that TAB is missing. `padding` receives one TAB for every item
// before p that has no opening TAB, so that the new part still pairs with
// the new display line, after a line end when the "(Menuausfuhrung)" line
// has none.
std::size_t executionInsertPoint(const MenuModel& model, int item, std::string& padding);

}  // namespace menue
