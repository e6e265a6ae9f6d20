// The MenuSet of a directory: names and numbers, paging, adoption of a
// numbered MenuFile, and what counts as an existing MenuFile.
#include <gtest/gtest.h>

#include <string>

#include "editing/new_menu.h"
#include "menufile/menu_set.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"
#include "tests/support/input_records.h"

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
  // Another program adds a file: the owner of the view forgets its listing.
  void put(const std::string& name, std::uint32_t attributes = 0) {
    machine.files.putFile(name, "menu " + name, attributes);
    set.invalidate();
  }
  std::string paged() {
    current = set.next(current);
    return current;
  }
  PlatformCode adopt() { return set.adopt(current, adopted); }

  VirtualPlatform machine;
  MenuSetView set{machine.files};
  std::string current{FirstMenuName};
  bool adopted = false;
};

TEST_F(MenuSetFiles, PagingVisitsTheNumbersInOrderAndWraps) {
  put("-menue-");
  put("-menue02-");
  put("-MENUE05-");
  put("-menueAB-");  // numbered, but never reached by paging
  EXPECT_EQ(paged(), "-menue02-");
  EXPECT_EQ(paged(), "-menue05-");
  EXPECT_EQ(paged(), "-menue-");
}

TEST_F(MenuSetFiles, PagingWithNothingToFindStopsAtTheFirstName) {
  current = "-menue07-";
  EXPECT_EQ(paged(), "-menue-");
  EXPECT_EQ(machine.files.calls(FileOp::Move), 0);
}

TEST_F(MenuSetFiles, HiddenSystemAndDirectoriesDoNotCount) {
  put("-menue02-", VirtualFileSystem::Hidden);
  put("-menue03-", VirtualFileSystem::System);
  machine.files.makeDirectory("-menue04-");
  machine.files.makeDirectory("-menue-");
  EXPECT_FALSE(set.exists("-menue-"));
  EXPECT_FALSE(set.exists("-menue02-"));
  EXPECT_FALSE(set.anyNumbered());
  EXPECT_EQ(adopt(), code::Success);
  EXPECT_FALSE(adopted);
  put("-menue05-", VirtualFileSystem::ReadOnly);
  EXPECT_TRUE(set.exists("-MENUE05-"));
  EXPECT_TRUE(set.anyNumbered());
}

TEST_F(MenuSetFiles, AdoptionMovesTheFirstNumberedFile) {
  put("-menue09-");
  put("-menue05-");
  EXPECT_EQ(adopt(), code::Success);
  EXPECT_TRUE(adopted);
  EXPECT_EQ(machine.files.file("-menue-"), "menu -menue05-");
  EXPECT_FALSE(machine.files.file("-menue05-"));
  EXPECT_TRUE(machine.files.file("-menue09-"));
  // A missing numbered current menu takes the number of the first one found.
  current = "-menue03-";
  adopt();
  EXPECT_EQ(machine.files.file("-menue03-"), "menu -menue09-");
}

TEST_F(MenuSetFiles, FailedAdoptionMovesNothing) {
  put("-menue05-");
  machine.files.failNext(FileOp::Move, code::AccessDenied);
  EXPECT_EQ(adopt(), code::AccessDenied);
  EXPECT_FALSE(adopted);
  EXPECT_TRUE(machine.files.file("-menue05-"));
  // One that another program deleted since the listing is no failure.
  machine.files.failNext(FileOp::Move, code::FileNotFound);
  EXPECT_EQ(adopt(), code::Success);
  EXPECT_FALSE(adopted);
}

TEST_F(MenuSetFiles, OneListingServesUntilTheDirectoryMayHaveChanged) {
  put("-menue-");
  put("-menue04-");
  put("-menue07-");
  EXPECT_TRUE(set.anyNumbered());
  EXPECT_EQ(set.next("-menue-"), "-menue04-");
  EXPECT_EQ(set.next("-menue07-"), "-menue-");  // wrap-round
  EXPECT_EQ(set.firstFreeName(), "-menue02-");
  EXPECT_EQ(machine.files.calls(FileOp::List), 1);
  // A menu another program adds is seen once the view is told.
  machine.files.putFile("-menue05-", "x");
  set.invalidate();
  EXPECT_EQ(set.next("-menue04-"), "-menue05-");
  EXPECT_EQ(machine.files.calls(FileOp::List), 2);
  // The view's own changes drop the listing themselves.
  MenuModel shown;
  shown.rawText = "x";
  EXPECT_EQ(set.remove("-menue05-", shown), code::Success);
  EXPECT_EQ(set.next("-menue04-"), "-menue07-");
}

TEST_F(MenuSetFiles, EveryWaitOfTheProgramDropsTheListing) {
  Program program{machine.platform()};
  machine.files.putFile("-menue03-", "x");
  const auto listings = [&] { return machine.files.calls(FileOp::List); };
  EXPECT_TRUE(program.menuSet.anyNumbered());
  const int before = listings();
  // A dialogue's line and a wait for a key alike: none calls the view.
  machine.console.push(keyRecord('\r'));
  EXPECT_EQ(program.input.readLine(), "");
  EXPECT_TRUE(program.menuSet.anyNumbered());
  machine.console.push(keyRecord('j'));
  EXPECT_EQ(program.input.waitForInput().key, Key::character('j'));
  EXPECT_TRUE(program.menuSet.anyNumbered());
  EXPECT_EQ(listings() - before, 2);
}

TEST_F(MenuSetFiles, NewMenusTakeTheFirstFreeNumber) {
  EXPECT_EQ(set.firstFreeName(), "-menue-");
  put("-menue-");
  put("-menue03-");
  EXPECT_EQ(set.firstFreeName(), "-menue02-");
}

TEST_F(MenuSetFiles, AFullSetTakesNoNewMenu) {
  for (int n = 1; n <= 99; ++n) put(menuFileName(n));
  EXPECT_EQ(set.firstFreeName(), std::nullopt);
  Program program{machine.platform()};
  program.state.currentMenuName = "-menue42-";
  program.screen.moveTo(24, 20);
  EXPECT_EQ(newMenu(program), Next::Done);
  EXPECT_EQ(program.state.currentMenuName, "-menue-");
  EXPECT_EQ(machine.console.rowText(23).substr(19, 26), " Men\x81 Verzeichniss voll ..");
  EXPECT_EQ(machine.clock.pauses, std::vector<int>{2000});
  EXPECT_EQ(machine.files.calls(FileOp::Replace), 0);
}

}  // namespace
}  // namespace menue
