// The exact output of the two error handlers, where each goes on, and the
// orderly exit.
#include <gtest/gtest.h>

#include "platform/virtual/virtual_platform.h"
#include "session/error_handling.h"
#include "session/program.h"
#include "tests/support/input_records.h"

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

TEST_F(ErrorHandlerTest, StartHandlerPrintsInPrintZonesAndEndsTheCommand) {
  // Done: the loop clears the line and starts a new pass.
  EXPECT_EQ(startErrorHandler(program, ErrorNumber::InternalError), Next::Done);
  EXPECT_EQ(row(1), " 51 " + std::string(10, ' ') + "Internal error" + std::string(14, ' ') + " 0");
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
}

TEST_F(ErrorHandlerTest, GeneralHandlerRows) {
  EXPECT_EQ(generalErrorHandler(program, ErrorNumber::InternalError), Next::Continue);
  EXPECT_EQ(row(1), " Fehler 51 bei ausf\x81hrung");
  EXPECT_EQ(generalErrorHandler(program, ErrorNumber::PathNotFound), Next::AfterCommandWait);
  EXPECT_EQ(row(2), " > Verzeichnis nicht gefunden. <");
  for (int number : {70, 75, 57, 68, 71}) {
    EXPECT_EQ(generalErrorHandler(program, static_cast<ErrorNumber>(number)),
              Next::AfterCommandWait)
        << number;
  }
  EXPECT_EQ(row(3), "Fehler  70  bei ausf\x81hrung");
  EXPECT_EQ(row(7), "Fehler  71  bei ausf\x81hrung");
  EXPECT_EQ(machine.clock.pauses, std::vector<int>(7, 2000));
}

TEST_F(ErrorHandlerTest, OtherNumbersAreFatal) {
  EXPECT_EQ(generalErrorHandler(program, ErrorNumber::FileNotFound), Next::End);
  EXPECT_EQ(row(1), "");
  EXPECT_EQ(row(2), "Fehler  53    File not found. Programm beendet");
  EXPECT_EQ(row(3), "");
  EXPECT_EQ(program.screen.row(), 4);
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{3000});
  EXPECT_EQ(handlePlatformResult(program, code::DiskFull), Next::End);
  EXPECT_EQ(row(5), "Fehler  61    Disk full. Programm beendet");
}

TEST_F(ErrorHandlerTest, SuccessIsNoError) {
  EXPECT_EQ(handlePlatformResult(program, code::Success), Next::Continue);
  EXPECT_TRUE(machine.clock.pauses.empty());
}

TEST_F(ErrorHandlerTest, EscapeEndsTheProgramAndDeletesTheScript) {
  program.state.launchScriptPath = "C:\\menue.cmd";
  machine.files.putFile("C:\\menue.cmd", "@Echo off\r\n");
  program.state.launchScriptWritten = true;
  machine.console.push(keyRecord(27, 1));
  EXPECT_THROW(program.input.waitForInput(), LeaveRequest);
  EXPECT_EQ(orderlyExit(program), Next::End);
  EXPECT_FALSE(machine.files.file("C:\\menue.cmd"));
}

}  // namespace
}  // namespace menue
