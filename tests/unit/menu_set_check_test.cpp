// The MenuSet checks: one table of a directory's MenuFile names, the menus
// the paging visits and the findings about adoption and stray names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menufile/menu_set_check.h"

namespace menue {
namespace {

struct SetCase {
  std::vector<std::string> names;
  int menus;
  std::vector<std::string> findings;  // "name: kind"
};

std::string kindName(FindingKind kind) {
  return kind == FindingKind::AdoptedMenu       ? "adopted"
         : kind == FindingKind::NameOutOfScheme ? "out of scheme"
                                                : "other";
}

TEST(MenuSetCheckTest, Table) {
  const std::vector<SetCase> cases = {
      {{}, 0, {}},
      {{"-menue-", "-menue02-", "-menue99-"}, 3, {}},
      // The first numbered name in the search's order is the one renamed.
      {{"-menue03-", "-menue07-"}, 2, {"-menue03-: adopted"}},
      {{"-menue-", "-menue00-", "-menue01-", "-menue1a-", "-menueAB-"},
       1,
       {"-menue00-: out of scheme", "-menue01-: out of scheme", "-menue1a-: out of scheme",
        "-menueAB-: out of scheme"}},
      {{"-menueAB-", "-menue05-"}, 1, {"-menueAB-: adopted", "-menueAB-: out of scheme"}},
      // Near misses the search for "-menue??-" never finds, the menu neither.
      {{"-menue-", "-menue1-", "-menue100-"},
       1,
       {"-menue1-: out of scheme", "-menue100-: out of scheme"}},
      {{"-menue1-"}, 0, {"-menue1-: out of scheme"}},
      {{"-MENUE-", "-Menue04-"}, 2, {}},
  };
  for (const SetCase& c : cases) {
    std::string shown;
    for (const auto& name : c.names) shown += " " + name;
    SCOPED_TRACE("names:" + shown);
    const MenuSetCheck check = checkMenuSet(c.names);
    EXPECT_EQ(check.menus, c.menus);
    std::vector<std::string> findings;
    for (const MenuSetFinding& f : check.findings) {
      findings.push_back(f.name + ": " + kindName(f.finding.kind));
      EXPECT_EQ(f.finding.line, 1);
      EXPECT_EQ(f.finding.severity, Severity::Warning);
    }
    EXPECT_EQ(findings, c.findings);
  }
}

}  // namespace
}  // namespace menue
