// A MenuFile read for a command-line mode: through the menu's loader, or
// as bytes for a change of it, each with the trust of the file it opened.
#pragma once

#include <string>
#include <string_view>

#include "menufile/menu_model.h"
#include "platform/platform.h"

namespace menue {

struct MenuFileRead {
  PlatformCode failure = code::Success;
  MenuModel model;
  FileTrust trust = FileTrust::Trusted;
  // Trusted because the user allowed these very bytes (menue --allow).
  bool allowed = false;
};

// Reads the MenuFile `name` of the current directory with the menu's loader.
MenuFileRead readMenuFile(FileSystem& files, const std::string& name);

// Why a MenuFile larger than that is not changed (Windows-1252).
inline constexpr std::string_view TooLargeToChange =
    "gr\xF6\xDF"
    "er als 1 MB: nicht ge\xE4ndert";

// A MenuFile's bytes for a change of it, read no further than the loader
// ever reads (MaxMenuFileBytes): `whole` tells whether that was all of it,
// `trust` who may have changed the file that was read (not the one found
// at the name before). A larger file is neither copied nor rewritten.
struct MenuFileBytes {
  PlatformCode failure = code::Success;
  std::string text;
  bool whole = false;
  FileTrust trust = FileTrust::Trusted;
};
MenuFileBytes readMenuBytes(FileSystem& files, const std::string& name);

}  // namespace menue
