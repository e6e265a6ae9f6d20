// Loading the current MenuFile into the MenuModel, and the rewrite through
// which every edit replaces a MenuFile's content in one safe step.
#include <string>
#include <utility>

#include "control/program_state.h"
#include "exec/error_handling.h"
#include "menufile/menu_model.h"

namespace menue {

namespace {

constexpr int DamagedFilePauseMs = 2000;

[[noreturn]] void reportDamagedFile(Program& program, std::string_view message) {
  program.screen.printText(message);
  program.platform.console.present();
  program.platform.clock.sleepMs(DamagedFilePauseMs);
  throw PromptStep{};
}

}  // namespace

void loadMenu(Program& program) {
  MenuModel& model = program.model;
  std::string text;
  if (model.textIsCurrent == 0) {
    const PlatformCode failure =
        program.platform.files.readFile(program.state.currentMenuName, text);
    if (failure != code::Success) {
      check(program, failure);
      return;
    }
  } else {
    text = std::move(model.rawText);
  }
  switch (parseMenuText(model, std::move(text))) {
    case 1:
      reportDamagedFile(program, " Dateifehler ");
    case 2:
      reportDamagedFile(program, " Dateifehler Menuausfuhrung nicht gefunden.");
    default:
      break;
  }
}

void rewriteMenuFile(Program& program, std::string newText) {
  const PlatformCode failure =
      program.platform.files.replaceFile(program.state.currentMenuName, newText);
  if (failure != code::Success) {
    check(program, failure);
    return;
  }
  program.model.rawText = std::move(newText);
  program.model.textIsCurrent = 1;
  loadMenu(program);
}

}  // namespace menue
