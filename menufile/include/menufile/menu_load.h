// Reading a MenuFile into the MenuModel, and the rewrite through which every
// edit replaces a MenuFile's content in one safe step.
#pragma once

#include <string>

#include "menufile/menu_model.h"
#include "menufile/menu_parse.h"
#include "platform/platform.h"

namespace menue {

// What a load or rewrite gave: the platform's code of a failed read or
// replace (the model is then untouched), else the parse of the text.
struct LoadResult {
  PlatformCode failure = code::Success;
  ParseResult parse = ParseResult::Loaded;
};

// Reads the MenuFile `name` of the current directory and parses it.
LoadResult loadMenu(FileSystem& files, const std::string& name, MenuModel& model);
// Replaces the MenuFile `name` by newText and parses the new text into the
// model without reading the file back.
LoadResult rewriteMenuFile(FileSystem& files, const std::string& name, MenuModel& model,
                           std::string newText);

}  // namespace menue
