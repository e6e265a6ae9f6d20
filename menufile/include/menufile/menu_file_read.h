// A MenuFile read for a command-line mode as the menu reads it, and the
// line of the first error of one that does not load.
#pragma once

#include <string>
#include <string_view>

#include "menufile/menu_model.h"
#include "platform/platform.h"

namespace menue {

struct ShownMenu {
  PlatformCode failure = code::Success;
  MenuModel model;
  FileTrust trust = FileTrust::Trusted;
  // Trusted because the user allowed these very bytes (menue --allow).
  bool allowed = false;
};

// Reads the MenuFile `name` of the current directory with the menu's loader.
ShownMenu readShownMenu(FileSystem& files, const std::string& name);

// Why a MenuFile larger than that is not changed (Windows-1252).
inline constexpr std::string_view TooLargeToChange =
    "gr\xF6\xDF"
    "er als 1 MB: nicht ge\xE4ndert";

// A MenuFile's bytes for a change of it, read no further than the loader
// ever reads (MaxMenuFileBytes): `whole` tells whether that was all of it.
// A larger file is neither copied nor rewritten.
PlatformCode readMenuBytes(FileSystem& files, const std::string& name, std::string& text,
                           bool& whole);

// For a menu that read but does not load: "SHOWN:LINE: message" on `err`
// after "menue: ", as the checker finds it first.
void writeFirstError(StandardStream& err, const std::string& shown, const MenuModel& model);

}  // namespace menue
