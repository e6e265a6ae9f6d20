// A new MenuFile's mode on POSIX: what the umask allows, never one the
// program would refuse itself.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

using testing::modeOf;

TEST(PosixNewFileMode, NoWriteForOthersAndGroupWriteOnlyInTheOwnersGroup) {
  struct Case {
    mode_t umask;
    gid_t group;  // of the directory, setgid; 0 root's own
    mode_t directory;
    mode_t file;
  };
  const gid_t shared = 65534;  // nogroup: the account nobody's primary group
  const Case cases[] = {
      {022, 0, 0755, 0644},       {002, 0, 0755, 0664},       {000, 0, 0755, 0664},
      {002, shared, 02775, 0644}, {000, shared, 02777, 0644}, {077, shared, 02775, 0600},
      {002, 0, 0700, 0600},  // a private directory keeps private files
  };
  if (geteuid() != 0) GTEST_SKIP() << "a directory of another group needs root to make";
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.umask) + " " + std::to_string(c.group) + " " +
                 std::to_string(c.directory));
    testing::PosixTempDir dir;
    ASSERT_EQ(mkdir("d", 0755), 0);
    ASSERT_EQ(chown("d", 0, c.group), 0);
    ASSERT_EQ(chmod("d", c.directory), 0);
    const mode_t before = umask(c.umask);
    PosixFiles files;
    const PlatformCode made = files.replaceFile("d/-menue-", std::nullopt, "x");
    umask(before);
    ASSERT_EQ(made, code::Success);
    EXPECT_EQ(modeOf("d/-menue-"), c.file);
    EXPECT_EQ(files.plainFileTrust("d/-menue-"), FileTrust::Trusted);
    // A rewrite keeps the mode it finds.
    ASSERT_EQ(chmod("d/-menue-", 0640), 0);
    ASSERT_EQ(files.replaceFile("d/-menue-", std::string_view("x"), "y"), code::Success);
    EXPECT_EQ(modeOf("d/-menue-"), 0640u);
  }
}

}  // namespace
}  // namespace menue
