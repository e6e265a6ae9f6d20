// The menu of the current directory as the session shows it: loading and
// rewriting the current MenuFile with the damaged-file messages, drawing
// the whole menu screen, and paging to the next menu of the set.
#include "session/menu_view.h"
#include "session/allowed_menus.h"
#include "session/path_text.h"

#include <string_view>
#include <utility>

#include "menufile/menu_load.h"
#include "session/error_handling.h"
#include "session/navigation.h"
#include "session/pause.h"
#include "session/program.h"

namespace menue {

namespace {

// A message at the cursor and the pause after it; goes on at `then`.
Next report(Program& program, std::string_view message, Next then) {
  program.screen.printText(message);
  pause(program);
  return then;
}

Next reportDamagedFile(Program& program, std::string_view message) {
  return report(program, message, Next::PromptStep);
}

// An edit refused before it asks: its reason, and the pass afresh.
Next refuseEdit(Program& program, std::string_view message) {
  return report(program, message, Next::NewPass);
}

Next loaded(Program& program, const LoadResult& result) {
  if (result.failure != code::Success) return handlePlatformResult(program, result.failure);
  // What runs is the text read: the file that was opened decides, whatever
  // the look at its name before said.
  program.state.menuTrust = result.trust;
  std::string directory;
  if (result.trust != FileTrust::Trusted && result.parse == ParseResult::Loaded &&
      program.platform.files.currentDirectory(directory) == code::Success) {
    // A menu the user allowed with exactly these bytes runs as the user's own.
    Platform& platform = program.platform;
    bool allowed = false;
    program.state.menuTrust =
        AllowedMenus(platform.files, platform.environment, platform.rules)
            .trustOf(joinPath(directory, program.state.currentMenuName, platform.rules),
                     result.trust, program.model, allowed);
  }
  switch (result.parse) {
    case ParseResult::NoDisplayMarker:
      return reportDamagedFile(program, " Dateifehler ");
    case ParseResult::NoExecutionMarker:
      return reportDamagedFile(program, " Dateifehler Menuausfuhrung nicht gefunden.");
    case ParseResult::Loaded:
      break;
  }
  return Next::Continue;
}

Next writeCurrentMenu(Program& program, FileSystem::SeenText seen, std::string text) {
  // The rewrite may create the file (a new menu): the set changes.
  program.menuSet.invalidate();
  const LoadResult result = rewriteMenuFile(program.platform.files, program.state.currentMenuName,
                                            program.model, seen, std::move(text));
  if (result.failure != code::Success) return checkEditWrite(program, result.failure);
  if (!program.state.historyNotice.empty()) {
    program.screen.printText(program.state.historyNotice);
    program.state.historyNotice.clear();
    pause(program);
  }
  return loaded(program, result);
}

}  // namespace

Next checkEditWrite(Program& program, PlatformCode result) {
  // Another program wrote the file after this one read it: its text stays,
  // and the edit ends as one that wrote nothing; the next pass reads the
  // file afresh.
  // The refusals of the write itself: nothing changed on disk.
  switch (result) {
    case code::FileInvalid:
      return report(program,
                    " Men\xFC"
                    "datei wurde inzwischen ge\xE4ndert: nicht ge\xE4ndert.",
                    Next::Continue);
    case code::CantResolveFilename:
      return report(program,
                    " Men\xFC"
                    "datei ist ein Verweis, der ins Leere f\xFChrt: nicht ge\xE4ndert.",
                    Next::Continue);
    case code::LockViolation:
      return report(program,
                    " Men\xFC"
                    "datei gesperrt: ein anderes menue \xE4ndert sie gerade; nicht ge\xE4ndert.",
                    Next::Continue);
    case code::EasNotSupported:
      return report(program,
                    " Gruppe, Attribute oder Zugriffsliste der Men\xFC"
                    "datei nicht \xFC"
                    "bertragbar: nicht ge\xE4ndert.",
                    Next::Continue);
    default:
      return handlePlatformResult(program, result);
  }
}

Next loadCurrentMenu(Program& program, const PlainFileLook& look) {
  if (holdsTextOf(program.model, look)) {
    return loaded(program, LoadResult{code::Success, ParseResult::Loaded, look.trust});
  }
  const LoadResult result =
      loadMenu(program.platform.files, program.state.currentMenuName, program.model);
  // Another program deleted the file after the existence test: no menu for
  // this pass, as if the test had not found it.
  if (result.failure == code::FileNotFound) {
    program.state.menuPresent = false;
    return Next::Continue;
  }
  return loaded(program, result);
}

Next wholeMenuForEdit(Program& program) {
  if (program.model.whole) return Next::Continue;
  const LoadResult result =
      loadWholeMenu(program.platform.files, program.state.currentMenuName, program.model);
  if (result.failure == code::FileNotFound) return Next::NewPass;
  if (const Next next = loaded(program, result); next != Next::Continue) return next;
  if (program.model.whole) return Next::Continue;
  return refuseEdit(program,
                    " Men\xFC"
                    "datei gr\xF6\xDF"
                    "er als 1 MB: nicht ge\xE4ndert.");
}

Next rewriteCurrentMenu(Program& program, std::string newText) {
  return writeCurrentMenu(program, program.model.rawText, std::move(newText));
}

Next createCurrentMenu(Program& program, std::string text) {
  return writeCurrentMenu(program, std::nullopt, std::move(text));
}

Next drawMenu(Program& program) {
  ConsoleScreen& screen = program.screen;
  drawMenuItems(screen, program.model, program.layout, program.state.highlightedItem,
                program.state.colours);
  drawMenuFrame(screen, program.model, program.layout);
  if (program.menuSet.anyNumbered()) drawFooter(screen, program.layout);
  drawHeader(screen, program.model, program.layout);
  bool atStart = true;
  if (const Next next = atStartDirectory(program, atStart); next != Next::Continue) return next;
  if (!atStart) drawHomeLabel(screen, program.layout);
  return Next::Continue;
}

void pageToNextMenu(Program& program) {
  ProgramState& state = program.state;
  state.currentMenuName = program.menuSet.next(state.currentMenuName);
  state.inputLine.clear();
}

}  // namespace menue
