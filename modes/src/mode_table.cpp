// The modes' table and the running of one: every way out that needs no
// console, the modes on the command services, and the change into the
// start directory, made before the console is set up so that a wrong
// directory draws nothing; whatever ends here checks that its output
// arrived.
#include "modes/mode_table.h"

#include <iterator>
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
ExitStatus enterStartDirectory(const ModeCall& call) {
  if (call.line.paths.empty()) return ExitStatus::Done;
  const std::string& directory = call.line.paths.front();
  const PlatformCode failure = call.files.changeDirectory(directory);
  if (failure == code::Success) return ExitStatus::Done;
  writeErrorLine(call.err, visiblePath(directory, call.rules),
                 call.files.isPlainFile(directory) ? "kein Verzeichnis" : pathFailureText(failure));
  return ExitStatus::Unusable;
}

ExitStatus showUsage(const ModeCall& call) {
  call.out.writeText(usageText());
  return ExitStatus::Done;
}

ExitStatus showVersion(const ModeCall& call) {
  call.out.writeText(versionText());
  return ExitStatus::Done;
}

ExitStatus refuseCall(const ModeCall& call) {
  writeErrorLine(call.err, visiblePath(call.line.errorSubject, call.rules), call.line.error);
  return ExitStatus::Unusable;
}

ExitStatus listItems(const ModeCall& call) {
  return runItemList(call.files, call.rules, pathOf(call.line), call.out);
}

// --check and --list: allowed menus of others count as trusted.
ExitStatus check(const ModeCall& call) {
  CommandServices::Services& services = *call.services;
  AllowedMenus allowed(services.files, services.environment, services.rules);
  return runMenuCheck(services.files, services.rules, call.line.paths, call.line.recursive,
                      call.out, call.err, &allowed);
}

ExitStatus list(const ModeCall& call) {
  CommandServices::Services& services = *call.services;
  AllowedMenus allowed(services.files, services.environment, services.rules);
  return runMenuList(services.files, services.rules, pathOf(call.line), call.line.all, call.out,
                     call.err, &allowed);
}

ExitStatus runItem(const ModeCall& call) {
  return runItemCommand(*call.services, call.line.number, pathOf(call.line), call.err);
}

ExitStatus edit(const ModeCall& call) {
  return runEdit(*call.services, *call.recording, pathOf(call.line), call.in, call.out, call.err);
}

ExitStatus history(const ModeCall& call) {
  return runHistoryList(*call.services, *call.recording, pathOf(call.line), call.out, call.err);
}

ExitStatus undo(const ModeCall& call) {
  return runUndo(*call.services, *call.recording, pathOf(call.line), call.line.number, call.in,
                 call.out, call.err);
}

ExitStatus allow(const ModeCall& call) {
  return runAllow(*call.services, pathOf(call.line), call.in, call.out, call.err);
}

ExitStatus deny(const ModeCall& call) {
  return runDeny(*call.services, pathOf(call.line), call.out, call.err);
}

constexpr Mode Modes[] = {
    {CommandAction::Help, "--help", "", false, ModeNeeds::Files, showUsage},
    {CommandAction::Version, "--version", "", false, ModeNeeds::Files, showVersion},
    {CommandAction::Check, "--check", "-r", false, ModeNeeds::Services, check},
    {CommandAction::List, "--list", "--all", false, ModeNeeds::Services, list},
    {CommandAction::Items, "--items", "", true, ModeNeeds::Files, listItems},
    {CommandAction::Run, "--run", "", false, ModeNeeds::Services, runItem},
    {CommandAction::Edit, "--edit", "", false, ModeNeeds::Services, edit},
    {CommandAction::History, "--history", "", false, ModeNeeds::Services, history},
    {CommandAction::Undo, "--undo", "", false, ModeNeeds::Services, undo},
    {CommandAction::Allow, "--allow", "", false, ModeNeeds::Services, allow},
    {CommandAction::Deny, "--deny", "", false, ModeNeeds::Services, deny},
    {CommandAction::Error, "", "", true, ModeNeeds::Files, refuseCall},
    {CommandAction::RunMenu, "", "", false, ModeNeeds::Console, enterStartDirectory},
};
// The row of a wrong call, taken for an action without one.
constexpr const Mode& WrongCall = Modes[std::size(Modes) - 2];
static_assert(WrongCall.action == CommandAction::Error);

// What ends with a mode: its status, unless standard output did not take
// all it wrote; a report lost to a full disk or a closed pipe is no success.
ExitStatus deliveredStatus(ExitStatus status, StandardStream& out, StandardStream& err) {
  if (const PlatformCode failure = out.flush(); failure != code::Success) {
    writeErrorLine(err, "Schreibfehler auf der Standardausgabe", writeFailureText(failure));
    return ExitStatus::Unusable;
  }
  return status;
}

}  // namespace

std::span<const Mode> modeTable() {
  return Modes;
}

const Mode& modeOf(CommandAction action) {
  for (const Mode& mode : Modes) {
    if (mode.action == action) return mode;
  }
  // Every action has its row (the table's test walks them all).
  return WrongCall;
}

ExitStatus runMode(const Mode& mode, const ModeCall& call) {
  const ExitStatus status = mode.run(call);
  // The menu goes on to the console; nothing of it was written yet.
  if (mode.needs == ModeNeeds::Console && status == ExitStatus::Done) return status;
  return deliveredStatus(status, call.out, call.err);
}

std::string pathOf(const CommandLine& line) {
  return line.paths.empty() ? std::string() : line.paths.front();
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
