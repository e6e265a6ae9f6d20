// The program state of one run and the Program that ties it to the console,
// the menu model and the platform. One instance lives for the whole run;
// only the session and its dialogues see it whole.
#pragma once

#include <optional>
#include <string>

#include "console/console_screen.h"
#include "console/input.h"
#include "console/key.h"
#include "console/menu_screen.h"
#include "menufile/menu_model.h"
#include "menufile/menu_set.h"
#include "platform/platform.h"

namespace menue {

struct ProgramState {
  std::string startDrive;
  std::string startPath;
  std::string launchScriptPath;
  // Whether the file at launchScriptPath is the LaunchScript this run wrote
  // last: the exit deletes no other.
  bool launchScriptWritten = false;
  std::string currentMenuName{FirstMenuName};
  // Whether a MenuFile named currentMenuName exists; set by each pass that
  // reads the menu.
  bool menuPresent = false;
  // Who may have changed that MenuFile, from the same look: the menu runs
  // and edits only a trusted one.
  FileTrust menuTrust = FileTrust::Trusted;
  // Reads of the menu that failed in a row. After the second one the menu is
  // not read again while a line is typed, so a line ("cd ..", "cd!") can
  // still be typed to get away from a file that stays unreadable.
  int menuReadFailures = 0;
  int highlightedItem = 0;
  // The current directory as this pass asked it last: a pass asks the
  // platform once (the menu's home label and the prompt share it), and a
  // change of directory forgets it.
  std::optional<std::string> passDirectory;
  std::string inputLine;
  // The command that is running, as the edit history names what changed a
  // MenuFile (Windows-1252).
  std::string editCause;
  // What an edit has to tell once it is written: that the history is off.
  std::string historyNotice;
  ScreenColours colours;
};

struct Program {
  explicit Program(Platform& platformServices)
      : platform(platformServices),
        screen(platformServices.console),
        input(platformServices.console, screen),
        menuSet(platformServices.files) {
    // Another program may change the directory while the user takes their
    // time: every wait drops the listing, so no dialogue can forget it.
    input.onWait([this] { menuSet.invalidate(); });
  }
  // The wait's hook points at this instance.
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Platform& platform;
  ConsoleScreen screen;
  Input input;
  ProgramState state;
  MenuModel model;
  MenuLayout layout;
  // The current directory's MenuSet; its listing is dropped at every wait
  // (by the hook above), pause, process start and write, when the directory
  // may have changed.
  MenuSetView menuSet;
};

}  // namespace menue
