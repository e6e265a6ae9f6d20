// The pass's reload rule on real files: a MenuFile whose look by name shows
// the stamp of the model's read is not read again, and every change from
// outside (in place, by rename, by a new file, by deletion) is read at the
// next look; and the current directory's path asked again after the
// program changes its directory.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "menufile/menu_load.h"
#include "menufile/menu_set.h"
#include "platform/posix/files/file_stamp.h"
#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

using testing::putFile;

constexpr std::int64_t Second = 1'000'000'000;
const std::string Menu = "(Menuanzeige)\r\nEins\r\n(Menuausfuhrung)\r\n\t1eins\r\n\t";
const std::string Same = "(Menuanzeige)\r\nNeun\r\n(Menuausfuhrung)\r\n\t1neun\r\n\t";
// Another size: with no settle time a change within the clock's tick
// would leave the times as they were, and only the size tells.
const std::string Other = "(Menuanzeige)\r\nZweite\r\n(Menuausfuhrung)\r\n\t1zwei\r\n\t";

TEST(PosixStampSettled, OnlyALastChangeFarEnoughBackOnTrustedTimes) {
  struct Case {
    const char* name;
    std::int64_t modified;
    std::int64_t changed;
    bool trusted;
    bool settled;
  };
  const Case cases[] = {
      {"both long ago", 1 * Second, 1 * Second, true, true},
      {"written within the settle time", 9 * Second, 1 * Second, true, false},
      {"owner or mode changed within it", 1 * Second, 9 * Second, true, false},
      {"exactly the settle time back", 8 * Second, 8 * Second, true, false},
      {"times not to be trusted", 1 * Second, 1 * Second, false, false},
  };
  for (const Case& c : cases) {
    const FileStamp stamp{1, 2, 3, c.modified, c.changed};
    EXPECT_EQ(stampSettled(stamp, c.trusted, 10 * Second, 2 * Second), c.settled) << c.name;
  }
}

class PosixMenuReload : public ::testing::Test {
 protected:
  // Reads the MenuFile as a pass does: a look at its name, then a read
  // unless the model holds its text. Whether it read.
  bool pass(PosixFiles& files) {
    const std::optional<PlainFileLook> look = MenuSetView(files).lookAt("-menue-");
    present = look.has_value();
    if (!look || holdsTextOf(model, *look)) return false;
    EXPECT_EQ(loadMenu(files, "-menue-", model).failure, code::Success);
    return true;
  }

  testing::PosixTempDir dir;
  MenuModel model;
  bool present = false;
};

// A zero settle time gives the stamp of every read at once, as a file that
// has stood unchanged for a while would.
TEST_F(PosixMenuReload, EveryChangeFromOutsideIsReadAndNothingElse) {
  struct Case {
    const char* name;
    std::function<void()> change;
    bool present;
    bool read;
    const char* item;
  };
  const Case cases[] = {
      {"unchanged", [] {}, true, false, "Eins"},
      {"in place", [] { putFile("-menue-", Other); }, true, true, "Zweite"},
      {"replaced by a rename",
       [] {
         putFile("new", Other);
         std::rename("new", "-menue-");
       },
       true, true, "Zweite"},
      {"deleted", [] { std::filesystem::remove("-menue-"); }, false, false, ""},
      {"deleted and made anew",
       [] {
         std::filesystem::remove("-menue-");
         putFile("-menue-", Other);
       },
       true, true, "Zweite"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PosixFiles files({}, 0);
    putFile("-menue-", Menu);
    ASSERT_TRUE(pass(files));
    ASSERT_TRUE(model.readStamp.has_value());
    c.change();
    EXPECT_EQ(pass(files), c.read);
    EXPECT_EQ(present, c.present);
    if (c.present) {
      EXPECT_EQ(model.displayText(1), c.item);
    }
  }
}

// Without a stamp that shows every later change the file is read each
// time: a file changed within the last moments (a change in the same tick
// of the clock would leave its times as they were), a damaged file (its
// message comes again), and a text the program wrote itself.
TEST_F(PosixMenuReload, WhatCouldHideAChangeIsReadAgain) {
  PosixFiles justWritten;  // the real settle time: the file changed just now
  putFile("-menue-", Menu);
  ASSERT_TRUE(pass(justWritten));
  EXPECT_FALSE(model.readStamp.has_value());
  putFile("-menue-", Same);  // within the same second, the same size
  EXPECT_TRUE(pass(justWritten));
  EXPECT_EQ(model.displayText(1), "Neun");

  PosixFiles files({}, 0);
  putFile("-menue-", "no markers");
  ASSERT_TRUE(pass(files));
  EXPECT_TRUE(pass(files));

  putFile("-menue-", Menu);
  ASSERT_TRUE(pass(files));
  ASSERT_EQ(rewriteMenuFile(files, "-menue-", model, model.rawText, Other).failure, code::Success);
  EXPECT_TRUE(pass(files));
  EXPECT_EQ(model.displayText(1), "Zweite");
}

TEST_F(PosixMenuReload, ThePathIsAskedAgainAfterADirectoryChange) {
  std::filesystem::create_directory("a");
  PosixFiles files({}, 0);
  std::string path;
  ASSERT_EQ(files.changeDirectory("a"), code::Success);
  static_cast<void>(files.findPlainFiles("*"));
  ASSERT_EQ(files.currentDirectory(path), code::Success);
  EXPECT_EQ(path, dir.path() + "/a");
  // Asked again after a search that found the directory as it was: the same.
  static_cast<void>(files.findPlainFiles("*"));
  ASSERT_EQ(files.currentDirectory(path), code::Success);
  EXPECT_EQ(path, dir.path() + "/a");
  ASSERT_EQ(files.changeDirectory(".."), code::Success);
  ASSERT_EQ(files.currentDirectory(path), code::Success);
  EXPECT_EQ(path, dir.path());
}

}  // namespace
}  // namespace menue
