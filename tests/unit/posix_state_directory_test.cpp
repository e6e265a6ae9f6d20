// The state directory on POSIX: made with its missing parents and private
// to the user, one found open to others closed, and listed with sizes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unistd.h>

#include <algorithm>
#include <functional>

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

// Who may have prepared the state directory: it is used only where it and
// the directory it stands in are the user's and closed to others, and no
// other user's link leads there.
TEST(PosixStateDirectoryTest, UsedOnlyWhereNoOneElseCouldHavePreparedIt) {
  if (geteuid() != 0) GTEST_SKIP() << "files of another owner need root to make";
  const uid_t other = 65534;
  struct Shape {
    const char* what;
    std::function<void()> prepare;  // in the scratch directory, with base/ made
    PlatformCode result;
  };
  const auto owned = [other](const char* path) { lchown(path, other, other); };
  const Shape shapes[] = {
      {"made afresh", [] {}, code::Success},
      {"the user's, open", [] { mkdir("base/menue", 0755); }, code::Success},
      {"base others may write", [] { chmod("base", 0777); }, code::AccessDenied},
      {"base like /tmp", [] { chmod("base", 01777); }, code::AccessDenied},
      {"base of another", [&] { owned("base"); }, code::AccessDenied},
      {"directory of another",
       [&] {
         mkdir("base/menue", 0700);
         owned("base/menue");
       },
       code::AccessDenied},
      {"directory a link of the user's",
       [] {
         mkdir("base/elsewhere", 0700);
         symlink("elsewhere", "base/menue");
       },
       code::AccessDenied},
      {"a link of the user's on the way",
       [] {
         rename("base", "real");
         symlink("real", "base");
       },
       code::Success},
      {"a link of another on the way",
       [&] {
         rename("base", "real");
         symlink("real", "base");
         owned("base");
       },
       code::AccessDenied},
      {"base group-writable for a shared group",
       [&] {
         chown("base", 0, other);
         chmod("base", 0775);
       },
       code::AccessDenied},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.what);
    testing::PosixTempDir dir;
    mkdir("base", 0755);
    shape.prepare();
    PosixFiles files;
    const std::string state = dir.path() + "/base/menue";
    EXPECT_EQ(files.makePrivateDirectory(state), shape.result);
    if (shape.result == code::Success) {
      EXPECT_EQ(modeOf(state) & 0777, 0700u);
    }
  }
}

}  // namespace
}  // namespace menue
