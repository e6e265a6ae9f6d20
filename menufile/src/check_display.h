// The checks of the header and the display section: the header key and
// its length, the display marker, the items' count and their lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "check_support.h"

namespace menue::checks {

// No "Kopfzeile=" anywhere, but a line that means it: the menu shows no
// header.
void checkHeaderKey(std::string_view text, const Places& at, Findings& out);

// The display section fails to load: the menu shows "Dateifehler
// Menuausfuhrung nicht gefunden." and no items. It searches the 20 lines
// after "(Menuanzeige)" only, so a marker further down means too many items.
void checkMissingExecution(const MenuModel& model, const Places& at, std::size_t marker,
                           Findings& out);

// Text behind the marker on its line: the menu starts display line 1 two
// characters after the marker, inside that text or at its line end.
void checkDisplayMarkerLine(const MenuModel& model, const Places& at, std::size_t marker,
                            Findings& out);

// A 19th item loads and shows, but Menü+ adds nothing to 18 or more, and a
// 20th keeps the whole file from loading.
void checkItemCount(const MenuModel& model, const Places& at, Findings& out);

// Every line between the markers is an item. A stray header line shows as
// an item, and the header comes from the first "Kopfzeile=" of the whole
// text, which may be this one; a second "(Menuanzeige)" shows as an item.
// An empty line is an item without text, run like any other. A line wider
// than the frame's room is overwritten by the frame's sides.
void checkDisplayLines(const MenuModel& model, const Places& at, const CheckRules& rules,
                       Findings& out);

// The header runs off the screen past its room.
void checkHeader(const MenuModel& model, const Places& at, const CheckRules& rules, Findings& out);

}  // namespace menue::checks
