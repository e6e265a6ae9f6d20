// Carrying out the command line before the menu: every way out that needs
// no console, and the change into the start directory, made before the
// console is set up so that a wrong directory draws nothing; whatever ends
// here checks that its output arrived.
#include "modes/command_line.h"

#include <string>

#include "modes/allow_command.h"
#include "modes/edit_command.h"
#include "modes/history_command.h"
#include "modes/list_command.h"
#include "modes/menu_check_command.h"
#include "modes/run_command.h"
#include "modes/usage.h"
#include "session/allowed_menus.h"
#include "session/path_text.h"

namespace menue {

namespace {

// The menu takes the current directory as its StartDirectory, so entering
// DIR first makes DIR the one that "cd!" and "home" return to.
std::optional<ExitStatus> enterStartDirectory(FileSystem& files, const std::string& directory,
                                              const PathRules& rules, StandardStream& err) {
  const PlatformCode failure = files.changeDirectory(directory);
  if (failure == code::Success) return std::nullopt;
  writeErrorLine(err, visiblePath(directory, rules),
                 files.isPlainFile(directory) ? "kein Verzeichnis" : pathFailureText(failure));
  return ExitStatus::Unusable;
}

// Why standard output took not all that was written (German, Windows-1252).
std::string writeFailureText(PlatformCode failure) {
  switch (failure) {
    case code::DiskFull:
    case code::HandleDiskFull:
      return "kein Platz mehr auf dem Datentr\xE4ger";
    case code::BrokenPipe:
      return "der Empf\xE4nger hat die Pipe geschlossen";
    case code::InvalidHandle:
      return "nicht ge\xF6"
             "ffnet";
    default:
      return "Systemfehler " + std::to_string(failure);
  }
}

// What ends with a mode: its status, unless standard output did not take
// all it wrote; a report lost to a full disk or a closed pipe is no success.
ExitStatus deliveredStatus(ExitStatus status, StandardStream& out, StandardStream& err) {
  if (const PlatformCode failure = out.flush(); failure != code::Success) {
    writeErrorLine(err, "Schreibfehler auf der Standardausgabe", writeFailureText(failure));
    return ExitStatus::Unusable;
  }
  return status;
}

std::optional<ExitStatus> runAction(const CommandLine& line, FileSystem& files,
                                    const PathRules& rules, StandardStream& out,
                                    StandardStream& err) {
  switch (line.action) {
    case CommandAction::Help:
      out.writeText(usageText());
      return ExitStatus::Done;
    case CommandAction::Version:
      out.writeText(versionText());
      return ExitStatus::Done;
    case CommandAction::Error:
      writeErrorLine(err, visiblePath(line.errorSubject, rules), line.error);
      return ExitStatus::Unusable;
    case CommandAction::Items:
      return runItemList(files, rules, pathOf(line), out);
    case CommandAction::Check:
    case CommandAction::List:
    case CommandAction::Run:
    case CommandAction::Edit:
    case CommandAction::History:
    case CommandAction::Undo:
    case CommandAction::Allow:
    case CommandAction::Deny:
      // The modes that start programs or keep the history (runServiceCommand).
      return std::nullopt;
    case CommandAction::RunMenu:
      break;
  }
  if (line.paths.empty()) return std::nullopt;
  return enterStartDirectory(files, line.paths.front(), rules, err);
}

ExitStatus runServiceAction(const CommandLine& line, CommandServices::Services& services,
                            StandardInput& in, StandardStream& out, StandardStream& err) {
  switch (line.action) {
    case CommandAction::Run:
      return runItemCommand(services, line.number, pathOf(line), err);
    case CommandAction::Edit:
      return runEdit(services, pathOf(line), in, out, err);
    case CommandAction::History:
      return runHistoryList(services, pathOf(line), out, err);
    case CommandAction::Undo:
      return runUndo(services, pathOf(line), line.number, in, out, err);
    case CommandAction::List: {
      // Allowed menus of others count as trusted.
      AllowedMenus allowed(services.files, services.environment, services.rules);
      return runMenuList(services.files, services.rules, pathOf(line), line.all, out, err,
                         &allowed);
    }
    case CommandAction::Check: {
      AllowedMenus allowed(services.files, services.environment, services.rules);
      return runMenuCheck(services.files, services.rules, line.paths, line.recursive, out, err,
                          &allowed);
    }
    case CommandAction::Allow:
      return runAllow(services, pathOf(line), in, out, err);
    case CommandAction::Deny:
      return runDeny(services, pathOf(line), out, err);
    default:
      break;
  }
  return ExitStatus::Unusable;
}

}  // namespace

std::string pathOf(const CommandLine& line) {
  return line.paths.empty() ? std::string() : line.paths.front();
}

bool needsServices(const CommandLine& line) {
  switch (line.action) {
    case CommandAction::Check:
    case CommandAction::List:
    case CommandAction::Allow:
    case CommandAction::Deny:
    case CommandAction::Run:
    case CommandAction::Edit:
    case CommandAction::History:
    case CommandAction::Undo:
      return true;
    default:
      return false;
  }
}

std::optional<ExitStatus> runCommandLine(const CommandLine& line, FileSystem& files,
                                         const PathRules& rules, StandardStream& out,
                                         StandardStream& err) {
  const std::optional<ExitStatus> status = runAction(line, files, rules, out, err);
  if (!status) return status;
  return deliveredStatus(*status, out, err);
}

ExitStatus runServiceCommand(const CommandLine& line, CommandServices::Services& services,
                             StandardInput& in, StandardStream& out, StandardStream& err) {
  return deliveredStatus(runServiceAction(line, services, in, out, err), out, err);
}

ExitStatus refuseWithoutConsole(StandardStream& err, bool cannotPosition) {
  const std::string_view works =
      "das Men\xFC braucht eine Konsole (--check, --list, --run und die anderen Optionen "
      "gehen ohne)";
  if (cannotPosition) {
    writeErrorLine(err, "TERM=dumb",
                   "das Terminal kann den Cursor nicht setzen; " + std::string(works));
  } else {
    writeErrorLine(err, "kein Terminal", works);
  }
  return ExitStatus::Unusable;
}

}  // namespace menue
