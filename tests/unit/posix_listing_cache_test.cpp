// The kept listing of plain files: when it is given again, and that the
// search on real files still sees every change between two calls.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "menufile/menu_set.h"
#include "platform/posix/files/listing_cache.h"
#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

constexpr std::int64_t Second = 1'000'000'000;
const std::string Pattern(NumberedMenuPattern);
const DirectoryStamp Stamp{1, 2, 4096, 10 * Second, 10 * Second};

TEST(PosixListingCache, GivenAgainOnlyForAnUnchangedSettledDirectory) {
  struct Case {
    const char* name;
    bool trusted;
    std::int64_t listedAt;
    DirectoryStamp asked;
    std::string pattern;
    bool kept;
  };
  DirectoryStamp moved = Stamp;
  moved.inode = 3;
  DirectoryStamp grown = Stamp;
  grown.size = 8192;
  DirectoryStamp written = Stamp;
  written.modifiedNs += 1;
  DirectoryStamp changed = Stamp;
  changed.changedNs += 1;
  const Case cases[] = {
      {"unchanged and settled", true, 12 * Second + 1, Stamp, Pattern, true},
      {"another directory", true, 13 * Second, moved, Pattern, false},
      {"grown", true, 13 * Second, grown, Pattern, false},
      {"an entry written", true, 13 * Second, written, Pattern, false},
      {"an entry changed", true, 13 * Second, changed, Pattern, false},
      {"another pattern", true, 13 * Second, Stamp, "-menue-", false},
      {"changed within the settle time", true, 12 * Second, Stamp, Pattern, false},
      {"times not to be trusted", false, 13 * Second, Stamp, Pattern, false},
  };
  for (const Case& c : cases) {
    ListingCache cache;
    cache.keep(Pattern, Stamp, c.trusted, c.listedAt, {{"-menue02-"}, {}});
    const PlainListing* kept = cache.find(c.pattern, c.asked);
    EXPECT_EQ(kept != nullptr, c.kept) << c.name;
    if (kept) {
      EXPECT_EQ(kept->files, std::vector<std::string>{"-menue02-"}) << c.name;
    }
  }
}

TEST(PosixListingCache, AListingNotKeptForgetsTheOneBefore) {
  ListingCache cache;
  cache.keep(Pattern, Stamp, true, 20 * Second, {{"-menue02-"}, {}});
  cache.keep(Pattern, Stamp, false, 20 * Second, {});
  EXPECT_EQ(cache.find(Pattern, Stamp), nullptr);
}

// A directory that has just changed is listed every time: the files that
// another program adds or removes between two searches are seen at once.
TEST(PosixListingCache, TheSearchSeesFilesComeAndGo) {
  testing::PosixTempDir dir;
  PosixFiles files;
  testing::putFile("-menue03-", "x");
  EXPECT_EQ(files.findPlainFiles(Pattern), std::vector<std::string>{"-menue03-"});
  testing::putFile("-menue02-", "x");
  EXPECT_EQ(files.findPlainFiles(Pattern), (std::vector<std::string>{"-menue02-", "-menue03-"}));
  std::filesystem::remove("-menue03-");
  std::filesystem::create_directory("-menue04-");
  EXPECT_EQ(files.findPlainFiles(Pattern), std::vector<std::string>{"-menue02-"});
}

// A kept listing looks at its links again: the file a link leads to may
// come and go while the directory of the link stays as it is.
TEST(PosixListingCache, AKeptListingFollowsItsLinks) {
  testing::PosixTempDir dir;
  std::filesystem::create_directory("elsewhere");
  std::filesystem::create_directory("menus");
  std::filesystem::create_symlink("../elsewhere/target", "menus/-menue05-");
  testing::putFile("menus/-menue02-", "x");
  ASSERT_EQ(chdir("menus"), 0);
  PosixFiles files({}, 0);  // kept at once
  EXPECT_EQ(files.findPlainFiles(Pattern), std::vector<std::string>{"-menue02-"});
  testing::putFile("../elsewhere/target", "x");
  EXPECT_EQ(files.findPlainFiles(Pattern), (std::vector<std::string>{"-menue02-", "-menue05-"}));
  std::filesystem::remove("../elsewhere/target");
  std::filesystem::create_directory("../elsewhere/target");
  EXPECT_EQ(files.findPlainFiles(Pattern), std::vector<std::string>{"-menue02-"});
}

}  // namespace
}  // namespace menue
