// The two error handlers and the ends of the program. A handler prints its
// German message at the cursor, pauses, and continues the program at its
// fixed point by throwing the continuation the command loop catches.
#include "exec/error_handling.h"

#include "control/program_state.h"
#include "exec/run_item.h"

namespace menue {

namespace {

constexpr int PauseMs = 2000;
constexpr int FatalPauseMs = 3000;

// Failures after which the program goes on at afterCommandWait. 68 and 71
// belong here too: a mistyped or empty drive must not end the program.
bool continuesAfterCommand(int errorNumber) {
  switch (errorNumber) {
    case 57:
    case 68:
    case 70:
    case 71:
    case 75:
      return true;
    default:
      return false;
  }
}

void startHandler(Program& program, int errorNumber) {
  ConsoleScreen& screen = program.screen;
  screen.writeNumber(errorNumber);
  screen.nextPrintZone();
  screen.writeText(errorText(errorNumber));
  screen.nextPrintZone();
  screen.writeNumber(0);
  screen.endLine();
  program.platform.console.present();
  program.platform.clock.sleepMs(PauseMs);
  program.errors.pending = 0;
  program.state.inputLine.clear();
  throw NewPass{};
}

void generalHandler(Program& program, int errorNumber) {
  ConsoleScreen& screen = program.screen;
  Clock& clock = program.platform.clock;
  if (errorNumber == 51) {
    screen.writeText(" Fehler 51 bei ausf\x81hrung  ");
    screen.endLine();
    program.platform.console.present();
    clock.sleepMs(PauseMs);
    program.errors.pending = 0;
    return;
  }
  if (errorNumber == 76) {
    screen.writeText(" > Verzeichnis nicht gefunden. < ");
    screen.endLine();
    program.platform.console.present();
    clock.sleepMs(PauseMs);
    throw AfterCommandWait{};
  }
  if (continuesAfterCommand(errorNumber)) {
    screen.writeText("Fehler ");
    screen.writeNumber(errorNumber);
    screen.writeText(" bei ausf\x81hrung  ");
    screen.endLine();
    program.platform.console.present();
    clock.sleepMs(PauseMs);
    throw AfterCommandWait{};
  }
  screen.endLine();
  screen.writeText("Fehler ");
  screen.writeNumber(errorNumber);
  screen.nextPrintZone();
  screen.writeText(errorText(errorNumber));
  screen.writeText(". Programm beendet");
  screen.endLine();
  screen.endLine();
  program.platform.console.present();
  clock.sleepMs(FatalPauseMs);
  immediateEnd();
}

}  // namespace

void reportError(Program& program, int errorNumber) {
  program.errors.pending = errorNumber;
  if (program.errors.inForce == Handler::Start) startHandler(program, errorNumber);
  generalHandler(program, errorNumber);
}

void check(Program& program, PlatformCode platformCode) {
  if (platformCode != 0) reportError(program, errorNumberFor(platformCode));
}

void armGeneralHandler(Program& program) {
  program.errors.inForce = Handler::General;
  program.errors.pending = 0;
}

StartHandlerScope::StartHandlerScope(Program& program) : program_(program) {
  program_.errors.inForce = Handler::Start;
}

StartHandlerScope::~StartHandlerScope() {
  program_.errors.inForce = Handler::General;
}

void orderlyExit(Program& program) {
  FileSystem& files = program.platform.files;
  const std::string& script = program.state.launchScriptPath;
  if (!script.empty() && files.isPlainFile(script)) check(program, files.deleteFile(script));
  throw ProgramEnd{};
}

void immediateEnd() {
  throw ProgramEnd{};
}

}  // namespace menue
