// An edit on POSIX through links and of guarded files: a link is written
// through and stays, a link to no file is refused, and the new file keeps
// the old one's group, extended attributes and access list, or the edit is
// refused with the file untouched.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

using testing::fileText;
using testing::modeOf;
using testing::putFile;

std::size_t entryCount(const std::string& directory) {
  return static_cast<std::size_t>(
      std::distance(std::filesystem::directory_iterator(directory), {}));
}

class PosixFileGuardsTest : public ::testing::Test {
 protected:
  testing::PosixTempDir dir;
  PosixFiles files;
};

// One shared menu linked from two directories, once directly and once
// through a second link: the edit changes the shared file in its own
// directory, both links stay, the file keeps its mode.
TEST_F(PosixFileGuardsTest, AnEditThroughALinkChangesItsTargetAndKeepsTheLink) {
  std::filesystem::create_directory("shared");
  std::filesystem::create_directory("a");
  std::filesystem::create_directory("b");
  putFile("shared/-menue-", "old", 0640);
  std::filesystem::create_symlink("../shared/-menue-", "a/-menue-");
  std::filesystem::create_symlink("../a/-menue-", "b/-menue-");
  EXPECT_EQ(files.replaceFile("a/-menue-", "old", "first"), code::Success);
  EXPECT_EQ(files.replaceFile("b/-menue-", "first", "second"), code::Success);
  EXPECT_TRUE(std::filesystem::is_symlink("a/-menue-"));
  EXPECT_TRUE(std::filesystem::is_symlink("b/-menue-"));
  EXPECT_EQ(fileText("shared/-menue-"), "second");
  EXPECT_EQ(modeOf("shared/-menue-"), 0640u);
  EXPECT_EQ(entryCount("shared") + entryCount("a") + entryCount("b"), 3u);
  // What was shown is compared with the target, as for a plain file.
  EXPECT_EQ(files.replaceFile("a/-menue-", "first", "third"), code::FileInvalid);
  EXPECT_EQ(fileText("shared/-menue-"), "second");
}

// A link to a missing file and links that loop: no file is made for them,
// and the link stays as it was.
TEST_F(PosixFileGuardsTest, ALinkThatLeadsNowhereIsRefused) {
  std::filesystem::create_symlink("gone", "-menue-");
  std::filesystem::create_symlink("loop2", "loop1");
  std::filesystem::create_symlink("loop1", "loop2");
  EXPECT_EQ(files.replaceFile("-menue-", std::nullopt, "new"), code::CantResolveFilename);
  EXPECT_EQ(files.replaceFile("loop1", std::nullopt, "new"), code::CantResolveFilename);
  EXPECT_EQ(files.replaceFile("loop1", "old", "new"), code::CantResolveFilename);
  EXPECT_EQ(std::filesystem::read_symlink("-menue-"), "gone");
  EXPECT_EQ(entryCount("."), 3u);
  // The scratch directory's cleanup would follow the loop.
  unlink("loop1");
  unlink("loop2");
}

// The group of a file shared with another group stays the file's.
TEST_F(PosixFileGuardsTest, TheGroupStays) {
  if (geteuid() != 0) GTEST_SKIP() << "giving a file another group needs root";
  putFile("-menue-", "old", 0640);
  ASSERT_EQ(chown("-menue-", geteuid(), 100), 0);
  EXPECT_EQ(files.replaceFile("-menue-", "old", "new"), code::Success);
  struct stat info {};
  ASSERT_EQ(stat("-menue-", &info), 0);
  EXPECT_EQ(info.st_gid, 100u);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A group the user is not in cannot be given to the new file: the edit is
// refused rather than handing the file to the user's own group.
TEST_F(PosixFileGuardsTest, AGroupTheUserMayNotGiveRefusesTheEdit) {
  if (geteuid() != 0) GTEST_SKIP() << "a file in a group its owner is not in needs root";
  putFile("-menue-", "old", 0660);
  ASSERT_EQ(chown(".", 65534, 65534), 0);
  ASSERT_EQ(chown("-menue-", 65534, 0), 0);
  EXPECT_EQ(testing::runUnprivileged([] {
              PosixFiles own;
              return own.replaceFile("-menue-", "old", "new") == code::EasNotSupported ? 0 : 1;
            }),
            0);
  EXPECT_EQ(fileText("-menue-"), "old");
  EXPECT_EQ(entryCount("."), 1u);
}

std::string attribute(const char* path, const char* name) {
  std::string value(256, '\0');
  const ssize_t n = getxattr(path, name, value.data(), value.size());
  return n < 0 ? "<none>" : value.substr(0, static_cast<std::size_t>(n));
}

// An access list as the kernel stores it: owner rw, user 65534 r, group r,
// mask r, others nothing.
std::string accessList() {
  std::string list;
  const auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) list.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  const auto entry = [&](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
    list.push_back(static_cast<char>(tag & 0xFF));
    list.push_back(static_cast<char>(tag >> 8));
    list.push_back(static_cast<char>(perm & 0xFF));
    list.push_back(static_cast<char>(perm >> 8));
    put32(id);
  };
  put32(2);  // version
  constexpr std::uint32_t Undefined = 0xFFFFFFFF;
  entry(0x01, 6, Undefined);  // owner
  entry(0x02, 4, 65534);      // one more user
  entry(0x04, 4, Undefined);  // the group
  entry(0x10, 4, Undefined);  // the mask
  entry(0x20, 0, Undefined);  // others
  return list;
}

// The user's attributes and an access list granting another user read
// access stay; where the file system here has neither, the test says so.
TEST_F(PosixFileGuardsTest, ExtendedAttributesAndTheAccessListStay) {
  putFile("-menue-", "old", 0640);
  if (setxattr("-menue-", "user.origin", "shared", 6, 0) != 0) {
    GTEST_SKIP() << "no user extended attributes on " << dir.path() << ": " << strerror(errno);
  }
  const std::string list = accessList();
  const bool lists =
      setxattr("-menue-", "system.posix_acl_access", list.data(), list.size(), 0) == 0;
  EXPECT_EQ(files.replaceFile("-menue-", "old", "new"), code::Success);
  EXPECT_EQ(fileText("-menue-"), "new");
  EXPECT_EQ(attribute("-menue-", "user.origin"), "shared");
  if (!lists) GTEST_SKIP() << "no access lists on " << dir.path() << ": " << strerror(errno);
  EXPECT_EQ(attribute("-menue-", "system.posix_acl_access"), list);
  EXPECT_EQ(modeOf("-menue-"), 0640u);
}

// An access list that lets another user write shows only as the group
// bits (its mask): such a file is not trusted, whatever its group holds.
TEST_F(PosixFileGuardsTest, AnAccessListThatLetsAnotherUserWriteIsNotTrusted) {
  putFile("-menue-", "x", 0600);
  std::string list = accessList();
  list[14] = 6;  // the named user may write too
  list[30] = 6;  // and so the mask
  if (setxattr("-menue-", "system.posix_acl_access", list.data(), list.size(), 0) != 0) {
    GTEST_SKIP() << "no access lists on " << dir.path() << ": " << strerror(errno);
  }
  ASSERT_EQ(modeOf("-menue-"), 0660u);
  EXPECT_EQ(files.plainFileTrust("-menue-"), FileTrust::GroupMayWrite);
  FileStart start;
  ASSERT_EQ(files.readFileStart("-menue-", 10, start), code::Success);
  EXPECT_EQ(start.trust, FileTrust::GroupMayWrite);
}

// A directory's default access list would give the new file one the old
// file had not: it is taken off, so no one gains access by an edit.
TEST_F(PosixFileGuardsTest, NoAccessListIsAddedByTheDirectory) {
  putFile("-menue-", "old", 0600);
  std::string list = accessList();
  if (setxattr(".", "system.posix_acl_default", list.data(), list.size(), 0) != 0) {
    GTEST_SKIP() << "no access lists on " << dir.path() << ": " << strerror(errno);
  }
  EXPECT_EQ(files.replaceFile("-menue-", "old", "new"), code::Success);
  EXPECT_EQ(attribute("-menue-", "system.posix_acl_access"), "<none>");
  EXPECT_EQ(modeOf("-menue-"), 0600u);
}

}  // namespace
}  // namespace menue
