// Loading the current MenuFile and rewriting it: parsing a freshly written
// text without reading, a failed replace that leaves the old file as it was,
// and the damaged-file messages the session shows.
#include <gtest/gtest.h>

#include <string>

#include "menufile/menu_load.h"
#include "platform/virtual/virtual_platform.h"
#include "session/menu_view.h"
#include "session/program.h"

namespace menue {
namespace {

const std::string Menu =
    "Kopfzeile=Tools\r\n(Menuanzeige)\r\nEditor\r\n(Menuausfuhrung)\r\n\t1edit.exe\r\n\t\r\n";
const std::string Other = "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b\r\n\t";

class MenuFileLoad : public ::testing::Test {
 protected:
  LoadResult load() { return loadMenu(machine.files, "-menue-", model); }
  LoadResult rewrite(const std::string& text) {
    return rewriteMenuFile(machine.files, "-menue-", model, text);
  }

  VirtualPlatform machine;
  MenuModel model;
};

TEST_F(MenuFileLoad, RewriteWritesAndParsesWithoutReading) {
  machine.files.putFile("-menue-", Menu);
  load();
  EXPECT_EQ(model.itemCount, 1);
  const int reads = machine.files.calls(FileOp::Read);
  EXPECT_EQ(rewrite(Other).parse, ParseResult::Loaded);
  EXPECT_EQ(machine.files.file("-menue-"), Other);
  EXPECT_EQ(machine.files.calls(FileOp::Read), reads);
  EXPECT_EQ(model.itemCount, 2);
  // The next plain load reads the file again.
  machine.files.putFile("-menue-", Menu);
  load();
  EXPECT_EQ(machine.files.calls(FileOp::Read), reads + 1);
  EXPECT_EQ(model.itemCount, 1);
}

TEST_F(MenuFileLoad, FailedReplaceKeepsTheOldFileAndModel) {
  machine.files.putFile("-menue-", Menu);
  load();
  machine.files.failNext(FileOp::Replace, code::AccessDenied);
  EXPECT_EQ(rewrite(Other).failure, code::AccessDenied);
  EXPECT_EQ(machine.files.file("-menue-"), Menu);
  EXPECT_EQ(machine.files.allFiles().size(), 1u);
  EXPECT_EQ(model.rawText, Menu);
}

TEST_F(MenuFileLoad, FailedReadIsReported) {
  machine.files.putFile("-menue-", Menu);
  machine.files.failNext(FileOp::Read, code::SharingViolation);
  EXPECT_EQ(load().failure, code::SharingViolation);
  EXPECT_FALSE(model.loaded);
}

TEST_F(MenuFileLoad, DamagedFilesAreReportedAtThePrompt) {
  const struct {
    std::string text;
    std::string message;
  } cases[] = {
      {"Kopfzeile=X\r\n", " Dateifehler "},
      {"(Menuanzeige)\r\nA\r\n", " Dateifehler Menuausfuhrung nicht gefunden."},
  };
  Program program{machine.platform()};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    machine.files.putFile("-menue-", Menu);
    loadCurrentMenu(program);
    machine.files.putFile("-menue-", c.text);
    machine.clock.pauses.clear();
    program.screen.moveTo(5, 1);
    EXPECT_EQ(loadCurrentMenu(program), Next::PromptStep);
    EXPECT_EQ(machine.console.rowText(4).substr(0, c.message.size()), c.message);
    EXPECT_EQ(machine.console.cursor().row, 5);  // the line was ended
    EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
    EXPECT_FALSE(program.model.loaded);
    EXPECT_EQ(program.model.itemCount, 1);
    EXPECT_EQ(program.model.items(), 0);
  }
}

}  // namespace
}  // namespace menue
