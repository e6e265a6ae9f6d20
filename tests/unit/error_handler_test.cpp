// The exact output of the two error handlers and where each continues.
#include <gtest/gtest.h>

#include "control/program_state.h"
#include "exec/error_handling.h"
#include "platform/virtual/virtual_platform.h"

namespace menue {
namespace {

class ErrorHandlerTest : public testing::Test {
 protected:
  VirtualPlatform machine;
  Program program{machine.platform()};

  std::string row(int number) {
    std::string text = machine.console.rowText(number - 1);
    return text.substr(0, text.find_last_not_of(' ') + 1);
  }
};

TEST_F(ErrorHandlerTest, StartHandlerPrintsInPrintZonesAndStartsANewPass) {
  program.state.inputLine = "x";
  {
    StartHandlerScope scope(program);
    EXPECT_THROW(reportError(program, 51), NewPass);
  }
  EXPECT_EQ(row(1), " 51 " + std::string(10, ' ') + "Internal error" + std::string(14, ' ') + " 0");
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
  EXPECT_EQ(program.state.inputLine, "");
  EXPECT_EQ(program.errors.inForce, Handler::General);
}

TEST_F(ErrorHandlerTest, GeneralHandlerRows) {
  EXPECT_NO_THROW(reportError(program, 51));
  EXPECT_EQ(row(1), " Fehler 51 bei ausf\x81hrung");
  EXPECT_THROW(reportError(program, 76), AfterCommandWait);
  EXPECT_EQ(row(2), " > Verzeichnis nicht gefunden. <");
  for (int number : {70, 75, 57, 68, 71}) {
    EXPECT_THROW(reportError(program, number), AfterCommandWait) << number;
  }
  EXPECT_EQ(row(3), "Fehler  70  bei ausf\x81hrung");
  EXPECT_EQ(row(7), "Fehler  71  bei ausf\x81hrung");
  EXPECT_EQ(machine.clock.pauses, std::vector<int>(7, 2000));
}

TEST_F(ErrorHandlerTest, OtherNumbersAreFatal) {
  EXPECT_THROW(reportError(program, 53), ProgramEnd);
  EXPECT_EQ(row(1), "");
  EXPECT_EQ(row(2), "Fehler  53    File not found. Programm beendet");
  EXPECT_EQ(row(3), "");
  EXPECT_EQ(program.screen.row(), 4);
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{3000});
  EXPECT_THROW(check(program, 112), ProgramEnd);
  EXPECT_EQ(row(5), "Fehler  61    Disk full. Programm beendet");
}

TEST_F(ErrorHandlerTest, SuccessIsNoError) {
  EXPECT_NO_THROW(check(program, 0));
  EXPECT_TRUE(machine.clock.pauses.empty());
}

}  // namespace
}  // namespace menue
