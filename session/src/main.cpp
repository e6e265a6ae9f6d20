// The program: set up the native console and run the menu until it ends.
#include "platform/native.h"
#include "session/command_loop.h"
#include "session/program.h"

int main() {
  auto native = menue::createNativePlatform();
  menue::Program program(native->platform());
  menue::runProgram(program);
  return 0;
}
