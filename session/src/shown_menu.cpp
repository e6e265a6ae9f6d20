// Reading a MenuFile for the command line through the menu's own loader,
// and reporting why one does not load in the checker's words.
#include "session/shown_menu.h"

#include <utility>

#include "menufile/menu_check.h"
#include "menufile/menu_load.h"
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
  const MenuCheck check = checkMenuText(model.rawText);
  std::string where = shown;
  std::string message =
      "l\xE4"
      "dt nicht";
  // The finding that stops the load, else the first.
  const MenuFinding* first = check.findings.empty() ? nullptr : &check.findings.front();
  for (const MenuFinding& finding : check.findings) {
    if (finding.kind == FindingKind::NoDisplayMarker ||
        finding.kind == FindingKind::NoExecutionMarker) {
      first = &finding;
      break;
    }
  }
  if (first != nullptr) {
    where += ':';
    where += std::to_string(first->line);
    message = first->message;
  }
  writeErrorLine(err, where, message);
}

}  // namespace menue
