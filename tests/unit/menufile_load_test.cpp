// Loading the current MenuFile and rewriting it: the damaged-file messages,
// parsing a freshly written text without reading, and a failed replace that
// leaves the old file as it was.
#include <gtest/gtest.h>

#include <string>

#include "control/program_state.h"
#include "menufile/menu_model.h"
#include "platform/virtual/virtual_platform.h"

namespace menue {
namespace {

const std::string Menu =
    "Kopfzeile=Tools\r\n(Menuanzeige)\r\nEditor\r\n(Menuausfuhrung)\r\n\t1edit.exe\r\n\t\r\n";
const std::string Other = "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b\r\n\t";

class MenuFileLoad : public ::testing::Test {
 protected:
  VirtualPlatform machine;
  Program program{machine.platform()};
};

TEST_F(MenuFileLoad, RewriteWritesAndParsesWithoutReading) {
  machine.files.putFile("-menue-", Menu);
  loadMenu(program);
  EXPECT_EQ(program.model.itemCount, 1);
  const int reads = machine.files.calls(FileOp::Read);
  rewriteMenuFile(program, Other);
  EXPECT_EQ(machine.files.file("-menue-"), Other);
  EXPECT_EQ(machine.files.calls(FileOp::Read), reads);
  EXPECT_EQ(program.model.itemCount, 2);
  EXPECT_EQ(program.model.textIsCurrent, 0);
  // The next plain load reads the file again.
  machine.files.putFile("-menue-", Menu);
  loadMenu(program);
  EXPECT_EQ(machine.files.calls(FileOp::Read), reads + 1);
  EXPECT_EQ(program.model.itemCount, 1);
}

TEST_F(MenuFileLoad, FailedReplaceKeepsTheOldFileAndModel) {
  machine.files.putFile("-menue-", Menu);
  loadMenu(program);
  machine.files.failNext(FileOp::Replace, code::AccessDenied);
  EXPECT_THROW(rewriteMenuFile(program, Other), AfterCommandWait);
  EXPECT_EQ(machine.files.file("-menue-"), Menu);
  EXPECT_EQ(machine.files.allFiles().size(), 1u);
  EXPECT_EQ(program.model.rawText, Menu);
  EXPECT_EQ(program.model.textIsCurrent, 0);
}

TEST_F(MenuFileLoad, FailedReadIsReported) {
  machine.files.putFile("-menue-", Menu);
  machine.files.failNext(FileOp::Read, code::SharingViolation);
  EXPECT_THROW(loadMenu(program), AfterCommandWait);
}

TEST_F(MenuFileLoad, DamagedFilesAreReportedAtThePrompt) {
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"Kopfzeile=X\r\n", " Dateifehler "},
      {"(Menuanzeige)\r\nA\r\n", " Dateifehler Menuausfuhrung nicht gefunden."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    machine.files.putFile("-menue-", Menu);
    loadMenu(program);
    machine.files.putFile("-menue-", c.text);
    machine.clock.pauses.clear();
    program.screen.moveTo(5, 1);
    EXPECT_THROW(loadMenu(program), PromptStep);
    EXPECT_EQ(machine.console.rowText(4).substr(0, c.message.size()), c.message);
    EXPECT_EQ(machine.console.cursor().row, 5);  // the line was ended
    EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
    EXPECT_FALSE(program.model.valid);
    EXPECT_EQ(program.model.itemCount, 1);
    EXPECT_EQ(program.model.usableItems(), 0);
  }
}

}  // namespace
}  // namespace menue
