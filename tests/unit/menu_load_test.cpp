// Loading the current MenuFile and rewriting it: parsing a freshly written
// text without reading, a failed replace that leaves the old file as it was,
// the damaged-file messages the session shows, and a huge file read only as
// far as the menu needs, never rewritten or run past what was read.
#include <gtest/gtest.h>

#include <string>

#include "menufile/menu_load.h"
#include "platform/virtual/virtual_platform.h"
#include "session/menu_view.h"
#include "session/program.h"
#include "session/run_item.h"

namespace menue {
namespace {

const std::string Menu =
    "Kopfzeile=Tools\r\n(Menuanzeige)\r\nEditor\r\n(Menuausfuhrung)\r\n\t1edit.exe\r\n\t\r\n";
const std::string Other = "(Menuanzeige)\r\nA\r\nB\r\n(Menuausfuhrung)\r\n\t1a\r\n\t2b\r\n\t";

class MenuFileLoad : public ::testing::Test {
 protected:
  LoadResult load() { return loadMenu(machine.files, "-menue-", model); }
  LoadResult rewrite(const std::string& text) {
    return rewriteMenuFile(machine.files, "-menue-", model, model.rawText, text);
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
    ASSERT_EQ(loadCurrentMenu(program), Next::Continue);
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

// A menu of one item followed by `junk` bytes, in CR LF or LF.
std::string menuThen(std::size_t junk, std::string_view lineEnd = "\r\n") {
  std::string text = "Kopfzeile=Tools";
  for (const char* line : {"", "(Menuanzeige)", "Editor", "(Menuausfuhrung)", "\t1edit.exe"}) {
    text += line;
    text += lineEnd;
  }
  return text + "\t" + std::string(junk, 'x');
}

TEST_F(MenuFileLoad, AHugeFileIsReadOnlyAsFarAsTheMenuNeeds) {
  const std::string unended = menuThen(0).substr(0, menuThen(0).size() - 1);
  const struct {
    const char* name;
    std::string text;
    int reads;
    bool whole;
    std::size_t textRead;
  } cases[] = {
      {"small file", menuThen(10), 1, true, menuThen(10).size()},
      {"the menu in the first part", menuThen(300'000), 1, false, FirstMenuFileBytes},
      {"an LF file may show a CR LF later", menuThen(300'000, "\n"), 2, true, 300'000},
      {"no end marker in the first part", unended + std::string(3 << 20, 'y'), 2, false,
       MaxMenuFileBytes},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    machine.files.putFile("-menue-", c.text);
    const int before = machine.files.calls(FileOp::Read);
    EXPECT_EQ(load().parse, ParseResult::Loaded);
    EXPECT_EQ(machine.files.calls(FileOp::Read) - before, c.reads);
    EXPECT_EQ(model.whole, c.whole);
    EXPECT_GE(model.rawText.size(), std::min(c.textRead, c.text.size()));
    EXPECT_LE(model.rawText.size(), MaxMenuFileBytes);
    EXPECT_EQ(model.displayText(1), "Editor");
  }
}

TEST_F(MenuFileLoad, AnEditReadsTheWholeFileOrRefuses) {
  Program program{machine.platform()};
  // Larger than the first read, within the bound: read whole for the edit.
  const std::string large = menuThen(200'000);
  machine.files.putFile("-menue-", large);
  ASSERT_EQ(loadCurrentMenu(program), Next::Continue);
  ASSERT_FALSE(program.model.whole);
  EXPECT_EQ(wholeMenuForEdit(program), Next::Continue);
  EXPECT_TRUE(program.model.whole);
  EXPECT_EQ(program.model.rawText, large);
  // Beyond the bound: refused with a message, the file as it was.
  const std::string huge = menuThen(MaxMenuFileBytes);
  machine.files.putFile("-menue-", huge);
  ASSERT_EQ(loadCurrentMenu(program), Next::Continue);
  program.screen.moveTo(5, 1);
  EXPECT_EQ(wholeMenuForEdit(program), Next::NewPass);
  const std::string refused =
      " Men\x81"
      "datei gr\x94\xE1"
      "er als 1 MB: nicht ge\x84ndert.";
  EXPECT_EQ(machine.console.rowText(4).substr(0, refused.size()), refused);
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
  EXPECT_EQ(machine.files.file("-menue-"), huge);
}

TEST_F(MenuFileLoad, ACommandCutByTheBoundIsNotRun) {
  Program program{machine.platform()};
  const std::string unended = menuThen(0).substr(0, menuThen(0).size() - 1);
  machine.files.putFile("-menue-", unended + std::string(MaxMenuFileBytes, 'y'));
  program.state.menuPresent = true;
  ASSERT_EQ(loadCurrentMenu(program), Next::Continue);
  ASSERT_TRUE(program.model.executionPartCut(1));
  EXPECT_EQ(runMenuItem(program, 1, Click{}), Next::NewPass);
  EXPECT_TRUE(machine.processes.started.empty());
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
}

}  // namespace
}  // namespace menue
