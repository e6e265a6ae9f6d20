// The MenuSet of a directory: names and numbers, paging, adoption of a
// numbered MenuFile, and what counts as an existing MenuFile.
#include <gtest/gtest.h>

#include <string>

#include "control/program_state.h"
#include "menufile/menu_edit.h"
#include "menufile/menu_set.h"
#include "platform/virtual/virtual_platform.h"

namespace menue {
namespace {

TEST(MenuSet, NamesAndNumbers) {
  EXPECT_EQ(menuFileName(1), "-menue-");
  EXPECT_EQ(menuFileName(2), "-menue02-");
  EXPECT_EQ(menuFileName(9), "-menue09-");
  EXPECT_EQ(menuFileName(10), "-menue10-");
  EXPECT_EQ(menuFileName(99), "-menue99-");
  EXPECT_EQ(menuNumberOf("-menue-"), 1);
  EXPECT_EQ(menuNumberOf("-menue07-"), 7);
  EXPECT_EQ(menuNumberOf("-menue01-"), 1);
  EXPECT_EQ(menuNumberOf("-menueAB-"), 1);
  EXPECT_EQ(menuNumberOf("-menue5X-"), 5);
  for (int n = 1; n <= 99; ++n) EXPECT_EQ(menuNumberOf(menuFileName(n)), n);
}

class MenuSetFiles : public ::testing::Test {
 protected:
  void put(const std::string& name, std::uint32_t attributes = 0) {
    machine.files.putFile(name, "menu " + name, attributes);
  }
  std::string paged() {
    nextMenu(program);
    return program.state.currentMenuName;
  }

  VirtualPlatform machine;
  Program program{machine.platform()};
};

TEST_F(MenuSetFiles, PagingVisitsTheNumbersInOrderAndWraps) {
  put("-menue-");
  put("-menue02-");
  put("-MENUE05-");
  put("-menueAB-");  // numbered, but never reached by paging
  program.state.inputLine = "x";
  program.state.key = " ";
  EXPECT_EQ(paged(), "-menue02-");
  EXPECT_EQ(program.state.inputLine, "");
  EXPECT_EQ(program.state.key, "");
  EXPECT_EQ(paged(), "-menue05-");
  EXPECT_EQ(paged(), "-menue-");
}

TEST_F(MenuSetFiles, PagingWithNothingToFindStopsAtTheFirstName) {
  program.state.currentMenuName = "-menue07-";
  EXPECT_EQ(paged(), "-menue-");
  EXPECT_EQ(machine.files.calls(FileOp::Move), 0);
}

TEST_F(MenuSetFiles, HiddenSystemAndDirectoriesDoNotCount) {
  put("-menue02-", VirtualFileSystem::Hidden);
  put("-menue03-", VirtualFileSystem::System);
  machine.files.makeDirectory("-menue04-");
  machine.files.makeDirectory("-menue-");
  EXPECT_FALSE(menuFileExists(program, "-menue-"));
  EXPECT_FALSE(menuFileExists(program, "-menue02-"));
  EXPECT_FALSE(numberedMenuExists(program));
  adoptNumberedMenu(program);
  EXPECT_FALSE(program.state.menuPresent);
  put("-menue05-", VirtualFileSystem::ReadOnly);
  EXPECT_TRUE(menuFileExists(program, "-MENUE05-"));
  EXPECT_TRUE(numberedMenuExists(program));
}

TEST_F(MenuSetFiles, AdoptionMovesTheFirstNumberedFile) {
  put("-menue09-");
  put("-menue05-");
  adoptNumberedMenu(program);
  EXPECT_TRUE(program.state.menuPresent);
  EXPECT_EQ(machine.files.file("-menue-"), "menu -menue05-");
  EXPECT_FALSE(machine.files.file("-menue05-"));
  EXPECT_TRUE(machine.files.file("-menue09-"));
  // A missing numbered current menu takes the number of the first one found.
  program.state.currentMenuName = "-menue03-";
  program.state.menuPresent = false;
  adoptNumberedMenu(program);
  EXPECT_EQ(machine.files.file("-menue03-"), "menu -menue09-");
}

TEST_F(MenuSetFiles, FailedAdoptionIsReportedAndShowsNoMenu) {
  put("-menue05-");
  machine.files.failNext(FileOp::Move, code::AccessDenied);
  EXPECT_THROW(adoptNumberedMenu(program), AfterCommandWait);
  EXPECT_FALSE(program.state.menuPresent);
  EXPECT_TRUE(machine.files.file("-menue05-"));
}

TEST_F(MenuSetFiles, AFullSetTakesNoNewMenu) {
  for (int n = 1; n <= 99; ++n) put(menuFileName(n));
  program.state.currentMenuName = "-menue42-";
  program.screen.moveTo(24, 20);
  newMenu(program);
  EXPECT_EQ(program.state.currentMenuName, "-menue-");
  EXPECT_EQ(machine.console.rowText(23).substr(19, 26), " Men\x81 Verzeichniss voll ..");
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
  EXPECT_EQ(machine.files.calls(FileOp::Replace), 0);
}

}  // namespace
}  // namespace menue
