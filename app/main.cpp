// The program: read the command line, do what needs no console, and only
// then set up the native console and run the menu until it ends.
#include <string>
#include <vector>

#include "interactive/command_loop.h"
#include "modes/command_line.h"
#include "platform/native.h"
#include "session/program.h"
#include "session/recorded_files.h"

int main(int argc, char** argv) {
  menue::resetInheritedSignals();
  const menue::CommandLine line = menue::parseCommandLine(menue::programArguments(argc, argv));
  {
    const menue::NativeFiles files = menue::createNativeFiles();
    if (const auto status = menue::runCommandLine(
            line, *files.files, files.rules, menue::standardOutput(), menue::standardError())) {
      return menue::exitCode(*status);
    }
  }
  if (menue::needsServices(line)) {
    const auto services = menue::createCommandServices();
    return menue::exitCode(menue::runServiceCommand(line, services->services(),
                                                    menue::standardInput(), menue::standardOutput(),
                                                    menue::standardError()));
  }
  // The modes above need no console; only the menu does.
  if (const menue::ConsoleLack lack = menue::consoleLack(); lack != menue::ConsoleLack::None) {
    return menue::exitCode(menue::refuseWithoutConsole(menue::standardError(),
                                                       lack == menue::ConsoleLack::Positioning));
  }
  auto native = menue::createNativePlatform();
  menue::Platform& platform = native->platform();
  // Every change of a MenuFile passes the history first.
  menue::EditHistory history(platform.files, platform.environment, platform.clock, platform.rules);
  menue::RecordedFiles recorded(platform.files, history);
  menue::Platform withHistory{platform.console,     recorded,       platform.processes,
                              platform.environment, platform.clock, platform.rules};
  menue::Program program(withHistory);
  recorded.causeFrom(program.state.editCause);
  recorded.noticeTo(program.state.historyNotice);
  menue::runProgram(program);
  return 0;
}
