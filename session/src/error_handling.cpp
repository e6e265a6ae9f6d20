// The two error handlers and the orderly exit. A handler prints its German
// message at the cursor, pauses, and returns where the program goes on.
#include "session/error_handling.h"

#include "session/pause.h"
#include "session/program.h"

namespace menue {

namespace {

// Failures after which the program goes on at afterCommandWait. 68 and 71
// belong here too: a mistyped or empty drive must not end the program.
bool continuesAfterCommand(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::DeviceIoError:
    case ErrorNumber::DeviceUnavailable:
    case ErrorNumber::PermissionDenied:
    case ErrorNumber::DiskNotReady:
    case ErrorNumber::PathFileAccessError:
      return true;
    default:
      return false;
  }
}

long numberOf(ErrorNumber number) {
  return static_cast<long>(number);
}

}  // namespace

Next startErrorHandler(Program& program, ErrorNumber number) {
  ConsoleScreen& screen = program.screen;
  screen.writeNumber(numberOf(number));
  screen.nextPrintZone();
  screen.writeText(errorText(number));
  screen.nextPrintZone();
  screen.writeNumber(0);
  screen.endLine();
  pause(program);
  return Next::Done;
}

Next generalErrorHandler(Program& program, ErrorNumber number) {
  ConsoleScreen& screen = program.screen;
  if (number == ErrorNumber::InternalError) {
    screen.writeText(" Fehler 51 bei ausf\x81hrung  ");
    screen.endLine();
    pause(program);
    return Next::Continue;
  }
  if (number == ErrorNumber::PathNotFound) {
    screen.writeText(" > Verzeichnis nicht gefunden. < ");
    screen.endLine();
    pause(program);
    return Next::AfterCommandWait;
  }
  if (continuesAfterCommand(number)) {
    screen.writeText("Fehler ");
    screen.writeNumber(numberOf(number));
    screen.writeText(" bei ausf\x81hrung  ");
    screen.endLine();
    pause(program);
    return Next::AfterCommandWait;
  }
  screen.endLine();
  screen.writeText("Fehler ");
  screen.writeNumber(numberOf(number));
  screen.nextPrintZone();
  screen.writeText(errorText(number));
  screen.writeText(". Programm beendet");
  screen.endLine();
  screen.endLine();
  pause(program, FatalPauseMs);
  return Next::End;
}

Next handlePlatformResult(Program& program, PlatformCode platformCode) {
  if (platformCode == code::Success) return Next::Continue;
  return generalErrorHandler(program, errorNumberFor(platformCode));
}

Next orderlyExit(Program& program) {
  FileSystem& files = program.platform.files;
  const std::string& script = program.state.launchScriptPath;
  // Only the script this run wrote goes, and the program ends however the
  // delete fares: a file of another user, or one made read-only, in the
  // temporary directory must not keep ESC from ending the program.
  if (program.state.launchScriptWritten && files.isPlainFile(script)) files.deleteFile(script);
  return Next::End;
}

}  // namespace menue
