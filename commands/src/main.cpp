// The program: read the command line, do what needs no console, and only
// then set up the native console and run the menu until it ends.
#include <string>
#include <vector>

#include "commands/command_loop.h"
#include "platform/native.h"
#include "session/command_line.h"
#include "session/program.h"

int main(int argc, char** argv) {
  const menue::CommandLine line = menue::parseCommandLine(menue::programArguments(argc, argv));
  {
    const menue::NativeFiles files = menue::createNativeFiles();
    if (const auto status = menue::runCommandLine(
            line, *files.files, files.rules, menue::standardOutput(), menue::standardError())) {
      return *status;
    }
  }
  // Only now: the modes that need no console work without one.
  if (!menue::consoleAvailable()) return menue::refuseWithoutConsole(menue::standardError());
  auto native = menue::createNativePlatform();
  menue::Program program(native->platform());
  menue::runProgram(program);
  return 0;
}
