// The checks of a MenuSet's names: a numbered MenuFile the menu would rename
// to "-menue-", and names like a MenuFile's that the paging never reaches.
#include "menufile/menu_set_check.h"

#include <algorithm>

#include "menufile/menu_set.h"
#include "menufile/number_reader.h"

namespace menue {

namespace {

// The names come from the searches, so only the length tells "-menue-"
// from "-menue??-" (the file system may differ in letter case).
bool isFirstMenu(const std::string& name) {
  return name.size() == FirstMenuName.size();
}

// The names the menu's search for "-menue??-" finds.
bool isNumbered(const std::string& name) {
  return name.size() == NumberedMenuPattern.size();
}

// Paging visits -menue02- to -menue99-; "-menue01-" and "-menueAB-" match
// the search but no number of the set.
bool inMenuSet(const std::string& name) {
  return isFirstMenu(name) ||
         (isNumbered(name) && isDigit(name[6]) && isDigit(name[7]) && menuNumberOf(name) >= 2);
}

// The first name of the set that no file has, for the advice to rename.
std::string freeName(const std::vector<std::string>& names) {
  for (int number = 2; number <= HighestMenuNumber; ++number) {
    std::string name = menuFileName(number);
    if (std::find(names.begin(), names.end(), name) == names.end()) return name;
  }
  return menuFileName(HighestMenuNumber);
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
  const auto adopted = std::find_if(names.begin(), names.end(), isNumbered);
  if (!first && adopted != names.end()) {
    MenuFinding finding;
    finding.kind = FindingKind::AdoptedMenu;
    finding.severity = Severity::Warning;
    finding.message =
        "kein -menue- im Verzeichnis: das Men\xFC benennt diese Datei in -menue- um, sobald es "
        "das Verzeichnis zeigt; sie selbst in -menue- umbenennen, wenn das gewollt ist";
    check.findings.push_back({*adopted, finding});
  }
  for (const std::string& name : names) {
    if (inMenuSet(name)) continue;
    // Still counted by the footer's search, so "-Menü weiter-" shows.
    const std::string footer = isNumbered(name) ? ", meldet aber \"-Men\xFC weiter-\"" : "";
    MenuFinding finding;
    finding.kind = FindingKind::NameOutOfScheme;
    finding.severity = Severity::Warning;
    finding.message =
        "Name au\xDF"
        "erhalb der Reihe -menue02- bis -menue99-: das Men\xFC zeigt diese Datei "
        "nie" +
        footer + "; in eine freie Nummer umbenennen, etwa " + freeName(names);
    check.findings.push_back({name, finding});
  }
  return check;
}

}  // namespace menue
