// The state directory on POSIX: made with its missing parents and private
// to the user, one found open to others closed, and listed with sizes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

using testing::modeOf;
using testing::putFile;

TEST(PosixStateDirectoryTest, MadePrivateAndListedWithSizes) {
  testing::PosixTempDir dir;
  PosixFiles files;
  const std::string state = dir.path() + "/home/.local/state/menue";
  ASSERT_EQ(files.makePrivateDirectory(state), code::Success);
  EXPECT_EQ(modeOf(state) & 0777, 0700u);
  EXPECT_EQ(modeOf(dir.path() + "/home/.local") & 0777, 0700u);
  EXPECT_EQ(files.makePrivateDirectory(state), code::Success);

  chmod(state.c_str(), 0755);
  ASSERT_EQ(files.makePrivateDirectory(state), code::Success);
  EXPECT_EQ(modeOf(state) & 0777, 0700u);

  putFile(state + "/eins", "12345");
  mkdir((state + "/unter").c_str(), 0700);
  symlink("eins", (state + "/verweis").c_str());
  std::vector<ListedFile> listed = files.listDirectory(state);
  EXPECT_EQ(listed, (std::vector<ListedFile>{{"eins", 5}}));
  EXPECT_TRUE(files.listDirectory(state + "/fehlt").empty());
  EXPECT_EQ(files.makePrivateDirectory(state + "/eins"), code::DirectoryNameInvalid);
}

}  // namespace
}  // namespace menue
