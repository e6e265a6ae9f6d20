// The program state of one run and the Program that ties it to the console,
// the menu model and the platform. One instance lives for the whole run.
#pragma once

#include <string>

#include "console/console_screen.h"
#include "console/input.h"
#include "console/menu_screen.h"
#include "exec/error_handling.h"
#include "menufile/menu_model.h"
#include "platform/platform.h"

namespace menue {

struct ScreenColours {
  int normalForeground = 7;
  int normalBackground = 1;
  int highlightForeground = 1;
  int highlightBackground = 7;
};

struct ProgramState {
  std::string startDrive;
  std::string startPath;
  std::string launchScriptPath;
  std::string currentMenuName = "-menue-";
  bool menuPresent = false;
  // Reads of the menu that failed in a row. After the second one the menu is
  // not read again while a line is typed, so a line ("cd ..", "cd!") can
  // still be typed to get away from a file that stays unreadable.
  int menuReadFailures = 0;
  int highlightedItem = 0;
  std::string inputLine;
  std::string key;
  ScreenColours colours;
};

struct Program {
  explicit Program(Platform& platformServices)
      : platform(platformServices), screen(platformServices.console) {}

  Platform& platform;
  ConsoleScreen screen;
  ProgramState state;
  MenuModel model;
  MenuLayout layout;
  InputState input;
  ClickData click;
  ErrorState errors;
};

}  // namespace menue
