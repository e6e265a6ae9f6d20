// The new MenuFile texts the edits write, built from pieces of the old text:
// a whole new file, an inserted item, and the rebuilt item sections after a
// removal or a swap.
#pragma once

#include <string>
#include <string_view>

#include "menufile/menu_model.h"

namespace menue {

// The new texts; a position outside the model's items gives the old text.
// Command text is command lines each ended by CR LF; an edit writes them,
// and its display line, in the line end of the text it changes. An edit
// that would change the text's line end (a CR of an LF text meeting an LF)
// gives the old text.
std::string insertItemText(const MenuModel& model, int position, std::string_view displayText,
                           char status, std::string_view commandText);
std::string removeItemText(const MenuModel& model, int position);
std::string swapItemsText(const MenuModel& model, int first, int second);
// A complete new MenuFile as the creation dialogue writes it, its structure
// comment in UTF-8 or in Windows-1252; the other texts go in as they are.
std::string newMenuFileText(std::string_view header, std::string_view displayText, char status,
                            std::string_view commandText, bool utf8Comment = false);

}  // namespace menue
