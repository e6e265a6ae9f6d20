// The program: set up the native console and run the menu until it ends.
#include "control/command_loop.h"
#include "control/program_state.h"
#include "platform/native.h"

int main() {
  auto native = menue::createNativePlatform();
  menue::Program program(native->platform());
  menue::runProgram(program);
  return 0;
}
