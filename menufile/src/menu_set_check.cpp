// The checks of a MenuSet's names: a numbered MenuFile the menu would rename
// to "-menue-", and names the search finds but the paging never reaches.
#include "menufile/menu_set_check.h"

#include "menufile/menu_set.h"
#include "menufile/number_reader.h"

namespace menue {

namespace {

// The names come from the searches, so only the length tells "-menue-"
// from "-menue??-" (the file system may differ in letter case).
bool isFirstMenu(const std::string& name) {
  return name.size() == FirstMenuName.size();
}

// Paging visits -menue02- to -menue99-; "-menue01-" and "-menueAB-" match
// the search but no number of the set.
bool inMenuSet(const std::string& name) {
  return isFirstMenu(name) || (name.size() == NumberedMenuPattern.size() && isDigit(name[6]) &&
                               isDigit(name[7]) && menuNumberOf(name) >= 2);
}

}  // namespace

MenuSetCheck checkMenuSet(const std::vector<std::string>& names) {
  MenuSetCheck check;
  bool first = false;
  for (const std::string& name : names) {
    if (inMenuSet(name)) ++check.menus;
    first = first || isFirstMenu(name);
  }
  // Each pass without "-menue-" moves the first numbered MenuFile there.
  if (!first && !names.empty()) {
    check.findings.push_back(
        {names.front(),
         {1, FindingKind::AdoptedMenu,
          "kein -menue- im Verzeichnis: das Men\xFC benennt diese Datei in -menue- um, sobald "
          "es das Verzeichnis zeigt"}});
  }
  // Still counted by the footer's search, so "-Menü weiter-" shows.
  for (const std::string& name : names) {
    if (inMenuSet(name)) continue;
    check.findings.push_back(
        {name,
         {1, FindingKind::NameOutOfScheme,
          "Name au\xDF"
          "erhalb der Reihe -menue02- bis -menue99-: das Men\xFC zeigt diese Datei nie, meldet "
          "aber \"-Men\xFC weiter-\""}});
  }
  return check;
}

}  // namespace menue
