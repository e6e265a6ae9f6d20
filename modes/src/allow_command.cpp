// menue --allow and --deny: the MenuFile found as the other modes find it,
// read once, shown from those bytes, and those bytes recorded.
#include "modes/allow_command.h"

#include "menufile/menu_file_read.h"
#include "menufile/menu_load.h"
#include "modes/list_command.h"
#include "modes/load_failure.h"
#include "modes/menu_path.h"
#include "modes/state_directory.h"
#include "session/allowed_menus.h"
#include "session/path_text.h"

namespace menue {

namespace {

constexpr ExitStatus Refused = ExitStatus::Refused;
constexpr ExitStatus Unusable = ExitStatus::Unusable;

}  // namespace

ExitStatus runAllow(CommandServices::Services& services, const std::string& path, StandardInput& in,
                    StandardStream& out, StandardStream& err) {
  MenuFileTarget target;
  if (const auto status = enterWithStateDirectory(services, path, err, target)) return *status;
  MenuFileRead menu;
  const LoadResult result = loadWholeMenu(services.files, target.name, menu.model);
  menu.failure = result.failure;
  menu.trust = result.trust;
  if (menu.failure != code::Success) {
    writeErrorLine(err, target.shown, pathFailureText(menu.failure));
    return Unusable;
  }
  if (menu.trust == FileTrust::OthersMayWrite) {
    writeErrorLine(err, target.shown,
                   "f\xFCr alle beschreibbar: nicht freigegeben (abhelfen: chmod o-w)");
    return Refused;
  }
  if (!menu.model.whole) {
    writeErrorLine(err, target.shown, TooLargeToChange);
    return Refused;
  }
  if (!menu.model.loaded) {
    writeFirstError(err, target.shown, menu.model);
    return Refused;
  }
  // What the menu would run once allowed.
  const FileTrust trust = menu.trust;
  menu.trust = FileTrust::Trusted;
  listMenu(services.rules, out, target.shown, menu);
  if (trust == FileTrust::Trusted) {
    out.writeText(
        "(die eigene Men\xFC"
        "datei l\xE4uft auch ohne Freigabe)\n");
  }
  out.writeText("Diese Fassung freigeben? (j/n) ");
  std::string answer;
  if (!in.readLine(answer) || (answer.rfind('j', 0) != 0 && answer.rfind('J', 0) != 0)) {
    out.writeText("Nicht freigegeben.\n");
    return Refused;
  }
  AllowedMenus allowed(services.files, services.environment, services.rules);
  if (const PlatformCode failure = allowed.allow(target.fullPath, menu.model.rawText);
      failure != code::Success) {
    writeErrorLine(err, visiblePath(allowed.storePath(), services.rules),
                   writeFailureText(failure));
    return Unusable;
  }
  out.writeText("Freigegeben, solange sie unver\xE4ndert ist.\n");
  return ExitStatus::Done;
}

ExitStatus runDeny(CommandServices::Services& services, const std::string& path,
                   StandardStream& out, StandardStream& err) {
  MenuFileTarget target;
  if (const auto status = enterWithStateDirectory(services, path, err, target)) return *status;
  AllowedMenus allowed(services.files, services.environment, services.rules);
  bool wasAllowed = false;
  if (const PlatformCode failure = allowed.deny(target.fullPath, wasAllowed);
      failure != code::Success) {
    writeErrorLine(err, visiblePath(allowed.storePath(), services.rules),
                   writeFailureText(failure));
    return Unusable;
  }
  if (!wasAllowed) {
    writeErrorLine(err, target.shown, "nicht freigegeben");
    return Refused;
  }
  out.writeBytes(target.shown);
  out.writeText(": Freigabe aufgehoben.\n");
  return ExitStatus::Done;
}

}  // namespace menue
