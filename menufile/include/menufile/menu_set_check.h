// The checks of a directory's MenuSet: the names of its MenuFiles, as the
// menu pages through them and adopts one when "-menue-" is missing.
#pragma once

#include <string>
#include <vector>

#include "menufile/menu_check.h"

namespace menue {

struct MenuSetFinding {
  std::string name;  // the MenuFile the finding is about
  MenuFinding finding;
  bool operator==(const MenuSetFinding&) const = default;
};

struct MenuSetCheck {
  // The menus the menu pages through: "-menue-" and -menue02- to -menue99-.
  int menus = 0;
  std::vector<MenuSetFinding> findings;
};

// `names`: what the directory searches for "-menue-" and then "-menue??-"
// found, in that order.
MenuSetCheck checkMenuSet(const std::vector<std::string>& names);

}  // namespace menue
