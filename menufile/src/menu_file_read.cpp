// Reading a MenuFile for the command line through the menu's own loader,
// and reporting why one does not load in the checker's words.
#include "session/shown_menu.h"

#include <utility>

#include "menufile/menu_check.h"
#include "menufile/menu_load.h"
#include "session/menu_check_command.h"
#include "session/path_text.h"

namespace menue {

ShownMenu readShownMenu(FileSystem& files, const std::string& name) {
  ShownMenu shown;
  const LoadResult result = loadMenu(files, name, shown.model);
  shown.failure = result.failure;
  shown.trust = result.trust;
  return shown;
}

PlatformCode readMenuBytes(FileSystem& files, const std::string& name, std::string& text,
                           bool& whole) {
  FileStart start;
  const PlatformCode failure = files.readFileStart(name, MaxMenuFileBytes, start);
  if (failure != code::Success) return failure;
  text = std::move(start.text);
  whole = start.whole;
  return code::Success;
}

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
