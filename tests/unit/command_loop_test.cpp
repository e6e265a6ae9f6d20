// What one pass of the command loop asks the platform: the current
// directory once, whatever parts of the screen need it.
#include <gtest/gtest.h>

#include <utility>

#include "interactive/command_loop.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"

namespace menue {
namespace {

TEST(CommandLoop, APassAsksTheCurrentDirectoryOnce) {
  VirtualPlatform machine;
  machine.files.makeDirectory("C:\\work\\sub");
  machine.files.changeDirectory("C:\\work\\sub");
  // Away from the start directory: the menu's home label asks too.
  machine.files.putFile("-menue-", "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t");
  Program program{machine.platform()};
  program.state.startPath = "C:\\work";
  program.state.menuPresent = true;
  bool typed = false;
  machine.console.onIdle = [&] {
    if (!std::exchange(typed, true)) {
      machine.console.push(InputRecord{RecordKind::Key, {true, 0x28, scan::Down, 0, 0}, {}, {}});
    }
    return machine.console.pending() > 0;
  };
  const int before = machine.files.calls(FileOp::CurrentDirectory);
  EXPECT_EQ(onePass(program, false), Next::NewPass);
  EXPECT_EQ(machine.files.calls(FileOp::CurrentDirectory) - before, 1);
  EXPECT_NE(machine.console.rowText(23).find("sub>"), std::string::npos)
      << machine.console.rowText(23);
}

}  // namespace
}  // namespace menue
