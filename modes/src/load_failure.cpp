// Reporting why a MenuFile does not load for a mode: the checker's first
// finding that explains it.
#include "modes/load_failure.h"

#include "menufile/menu_check.h"
#include "modes/menu_check_command.h"

namespace menue {

void writeFirstError(StandardStream& err, const std::string& shown, const MenuModel& model) {
  const MenuCheck check = checkMenuText(model.rawText, menuCheckRules());
  // The finding that stops the load, else the first error.
  const MenuFinding* first = nullptr;
  for (const MenuFinding& finding : check.findings) {
    const bool stops = finding.kind == FindingKind::NoDisplayMarker ||
                       finding.kind == FindingKind::NoExecutionMarker;
    if (stops || (first == nullptr && finding.severity == Severity::Error)) first = &finding;
    if (stops) break;
  }
  err.writeBytes("menue: ");
  if (first != nullptr) {
    writeFinding(err, shown, *first);
    return;
  }
  err.writeBytes(shown);
  err.writeText(
      ": l\xE4"
      "dt nicht\n");
}

}  // namespace menue
