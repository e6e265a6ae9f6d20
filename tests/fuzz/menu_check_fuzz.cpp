// Fuzz target for the MenuFile checks: no crash on any text, every finding
// at a line and column inside the text, and the items the loader gives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "menufile/menu_check.h"
#include "menufile/menu_parse.h"
#include "modes/menu_check_command.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  static const menue::CheckRules rules = menue::menuCheckRules();
  const menue::MenuCheck check = menue::checkMenuText(text, rules);
  const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  for (const menue::MenuFinding& finding : check.findings) {
    require(finding.line >= 1 && finding.line <= lines);
    require(finding.column >= 0 && static_cast<std::size_t>(finding.column) <= size + 1);
    require(!finding.message.empty());
  }
  menue::MenuModel model;
  const bool loads = menue::parseMenuText(model, text) == menue::ParseResult::Loaded;
  require(check.loads == loads && check.items == (loads ? model.itemCount : 0));
  return 0;
}
