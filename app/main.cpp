// The program: read the command line, find its mode in the mode table,
// give it what it needs, and only for the menu set up the native console
// and run the menu until it ends.
#include <string>
#include <vector>

#include "interactive/command_loop.h"
#include "modes/mode_table.h"
#include "platform/native.h"
#include "session/edit_recording.h"
#include "session/program.h"

namespace {

// The menu on the native console, every change of a MenuFile passing the
// history first.
void runMenu() {
  auto native = menue::createNativePlatform();
  menue::Platform& platform = native->platform();
  menue::EditRecording recording(platform.files, platform.environment, platform.clock,
                                 platform.rules);
  menue::RecordedFiles& recorded = recording.files();
  menue::Platform withHistory{platform.console,     recorded,       platform.processes,
                              platform.environment, platform.clock, platform.rules};
  menue::Program program(withHistory);
  recorded.causeFrom(program.state.editCause);
  recorded.noticeTo(program.state.historyNotice);
  menue::runProgram(program);
}

}  // namespace

int main(int argc, char** argv) {
  menue::resetInheritedSignals();
  const menue::CommandLine line = menue::parseCommandLine(menue::programArguments(argc, argv));
  const menue::Mode& mode = menue::modeOf(line.action);
  menue::StandardInput& in = menue::standardInput();
  menue::StandardStream& out = menue::standardOutput();
  menue::StandardStream& err = menue::standardError();
  {
    // Every mode starts with the native files; those that need no more end here.
    const menue::NativeFiles files = menue::createNativeFiles();
    if (mode.needs != menue::ModeNeeds::Services) {
      const menue::ExitStatus status =
          menue::runMode(mode, {line, *files.files, files.rules, nullptr, nullptr, in, out, err});
      if (mode.needs == menue::ModeNeeds::Files || status != menue::ExitStatus::Done) {
        return menue::exitCode(status);
      }
    }
  }
  if (mode.needs == menue::ModeNeeds::Services) {
    const auto services = menue::createCommandServices();
    menue::CommandServices::Services& given = services->services();
    menue::EditRecording recording(given.files, given.environment, given.clock, given.rules);
    return menue::exitCode(
        menue::runMode(mode, {line, given.files, given.rules, &given, &recording, in, out, err}));
  }
  // The modes above need no console; only the menu does.
  if (const menue::ConsoleLack lack = menue::consoleLack(); lack != menue::ConsoleLack::None) {
    return menue::exitCode(
        menue::refuseWithoutConsole(err, lack == menue::ConsoleLack::Positioning));
  }
  runMenu();
  return 0;
}
