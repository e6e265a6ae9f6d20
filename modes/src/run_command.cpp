// menue --run: the item read by the menu's loader and decided by the
// runner's reading of it; a single line is started directly or, where it
// needs the shell, by it; several go through the LaunchScript, which is
// removed again afterwards.
#include "modes/run_command.h"

#include <string>

#include "menufile/menu_file_read.h"
#include "modes/counted_text.h"
#include "modes/load_failure.h"
#include "modes/menu_path.h"
#include "session/allowed_menus.h"
#include "session/item_command.h"
#include "session/launch_script.h"
#include "session/menu_trust.h"
#include "session/path_text.h"
#include "session/startup.h"
#include "session/text_refusal.h"

namespace menue {

namespace {

constexpr ExitStatus NotRun = ExitStatus::Unusable;

class ItemRunner {
 public:
  ItemRunner(CommandServices::Services& services, StandardStream& err)
      : services_(services), err_(err) {}

  ExitStatus run(const std::string& shown, const ItemCommand& item) {
    if (const std::optional<std::string> why = runRefusal(item, services_.rules)) {
      return refuse(shown, *why);
    }
    switch (item.kind) {
      case ItemCommand::Kind::Direct:
        if (item.commandLine.size() > services_.rules.commandLineLimit) {
          return refuse(shown, "Befehlszeile zu lang: nicht ausgef\xFChrt");
        }
        if (item.throughShell) {
          // The shell says itself what it could not run.
          return started(shown, services_.processes.startThroughShell(item.commandLine, true));
        }
        // The line names what could not be started.
        return started(shown + ": " + visiblePath(item.commandLine, services_.rules),
                       services_.processes.start(item.commandLine, true));
      case ItemCommand::Kind::Script:
        return runScript(shown, item.scriptBody);
      default:
        return ExitStatus::Done;
    }
  }

 private:
  ExitStatus runScript(const std::string& shown, const std::string& body) {
    const std::string path = launchScriptPathFor(services_.environment.entries(), services_.rules);
    services_.processes.removeAtTermination(path);
    if (const PlatformCode failure = writeLaunchScriptFile(services_.files, path, body);
        failure != code::Success) {
      writeErrorLine(err_, visiblePath(path, services_.rules), writeFailureText(failure));
      return NotRun;
    }
    const ExitStatus status = started(shown, services_.processes.runScript(path, true));
    services_.files.deleteFile(path);
    return status;
  }

  ExitStatus started(const std::string& shown, PlatformCode failure) {
    if (failure == code::Success) return programStatus(services_.processes.lastExitStatus());
    writeErrorLine(err_, shown, "nicht gestartet: " + pathFailureText(failure));
    return ExitStatus::NotStarted;
  }

  ExitStatus refuse(const std::string& shown, const std::string& why) {
    writeErrorLine(err_, shown, why);
    return NotRun;
  }

  CommandServices::Services& services_;
  StandardStream& err_;
};

}  // namespace

std::optional<std::string> runRefusal(const ItemCommand& item, const PathRules& rules) {
  switch (item.kind) {
    case ItemCommand::Kind::Cut:
      return "Befehl l\xE4nger als 1 MB: nicht ausgef\xFChrt";
    case ItemCommand::Kind::Directory:
      return "wechselt das Verzeichnis: nur im Men\xFC m\xF6glich";
    case ItemCommand::Kind::Placeholder:
      return std::nullopt;
    case ItemCommand::Kind::Direct:
      if (item.commandLine.size() <= rules.commandLineLimit) return std::nullopt;
      return "Befehlszeile zu lang: nicht ausgef\xFChrt";
    case ItemCommand::Kind::Script:
      break;
  }
  if (item.unscriptable != 0) {
    return "Zeichen " + characterCode(item.unscriptable) +
           " kann die Befehlszeile (Codepage 850) nicht tragen: nicht ausgef\xFChrt";
  }
  if (runnableStatus(item.status)) return std::nullopt;
  return "Status " + std::to_string(item.status) + " ung\xFCltig: nicht ausgef\xFChrt";
}

ExitStatus runItemCommand(CommandServices::Services& services, int number,
                          const std::string& directory, StandardStream& err) {
  FileSystem& files = services.files;
  MenuPath menuPath;
  if (const PlatformCode failure = enterMenuPath(files, services.rules, directory, false, menuPath);
      failure != code::Success) {
    writeErrorLine(err, visiblePath(directory, services.rules), pathFailureText(failure));
    return NotRun;
  }
  if (!menuPath.isDirectory) {
    writeErrorLine(err, visiblePath(directory, services.rules), "kein Verzeichnis");
    return NotRun;
  }
  const std::string& name = menuPath.names.front();
  const std::string shown = shownMenuFile(menuPath, name, services.rules);
  MenuFileRead menu = readMenuFile(files, name);
  AllowedMenus(files, services.environment, services.rules).apply(name, menu);
  if (menu.failure != code::Success) {
    writeErrorLine(err, shown, pathFailureText(menu.failure));
    return NotRun;
  }
  if (!menu.model.loaded) {
    writeFirstError(err, shown, menu.model);
    return NotRun;
  }
  if (menu.trust != FileTrust::Trusted) {
    writeErrorLine(err, shown,
                   std::string(untrustedMenuText(menu.trust)) +
                       ": nicht ausgef\xFChrt (freigeben: menue --allow)");
    return NotRun;
  }
  if (number > menu.model.items()) {
    writeErrorLine(err, shown,
                   "kein Men\xFCpunkt " + std::to_string(number) + " (" +
                       itemCountText(menu.model.items()) + ")");
    return NotRun;
  }
  return ItemRunner(services, err).run(shown, itemCommandOf(menu.model, number, services.rules));
}

}  // namespace menue
