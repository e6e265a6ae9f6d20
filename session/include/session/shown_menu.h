// A MenuFile read for a command-line mode as the menu reads it, and the
// line of the first error of one that does not load.
#pragma once

#include <string>

#include "menufile/menu_model.h"
#include "platform/platform.h"

namespace menue {

struct ShownMenu {
  PlatformCode failure = code::Success;
  MenuModel model;
  FileTrust trust = FileTrust::Trusted;
};

// Reads the MenuFile `name` of the current directory with the menu's loader.
ShownMenu readShownMenu(FileSystem& files, const std::string& name);

// For a menu that read but does not load: "SHOWN:LINE: message" on `err`
// after "menue: ", as the checker finds it first.
void writeFirstError(StandardStream& err, const std::string& shown, const MenuModel& model);

}  // namespace menue
