// Start-up: the values fixed for the whole run (the StartDirectory and the
// LaunchScriptPath from the environment) and the initial program state.
#include "session/startup.h"

#include <string_view>

#include "console/screen_geometry.h"
#include "session/environment_lookup.h"
#include "session/launch_script.h"
#include "session/navigation.h"
#include "session/path_text.h"
#include "session/program.h"

namespace menue {

std::string launchScriptPathFor(const std::vector<std::string>& environment,
                                const PathRules& rules) {
  // The TempDirectory's entry is found in any letter case on every platform.
  if (const auto directory =
          environmentValue(environment, {"TMP", "TMP ", "TEMP", "TEMP "}, true)) {
    return joinPath(*directory, rules.launchScriptName, rules);
  }
  return rules.fallbackLaunchScriptPath;
}

Next startUp(Program& program) {
  ProgramState& state = program.state;
  program.model = MenuModel{};
  state.inputLine.clear();
  program.input.mouseOff();

  state.colours = ScreenColours{};
  state.currentMenuName = std::string(FirstMenuName);
  state.launchScriptPath =
      launchScriptPathFor(program.platform.environment.entries(), program.platform.rules);
  program.platform.processes.removeAtTermination(state.launchScriptPath);
  state.highlightedItem = 0;
  program.layout.frameLeft = FirstFrameLeft;
  program.layout.frameRight = FirstFrameRight;
  // Read last: a failure here goes to the error handling with the rest of
  // the state already in place.
  std::string directory;
  if (const Next next = currentDirectory(program, directory); next != Next::Continue) return next;
  state.startDrive = directory.substr(0, 2);
  state.startPath = directory.size() > 2 ? directory.substr(2) : std::string();
  return Next::Continue;
}

}  // namespace menue
