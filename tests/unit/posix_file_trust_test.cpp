// Who may have changed a MenuFile on POSIX: the table of owners, groups,
// modes and group memberships, with the user database injected, and the
// same rule on real files with the real database.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "platform/posix/files/file_trust.h"
#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

constexpr uid_t User = 1000;
constexpr uid_t Other = 1001;
constexpr gid_t Own = 1000;    // the user's private group: the user alone
constexpr gid_t Shared = 100;  // the user and another
constexpr gid_t Empty = 50;    // a group of no account (setgid programs use such)
constexpr gid_t Missing = 77;  // no entry at all
constexpr gid_t Strange = 78;  // names a member no account has
constexpr gid_t OthersOwn = 1001;

GroupAccounts database(gid_t group) {
  switch (group) {
    case Own:
      return {true, false, {User}};
    case Shared:
      return {true, false, {User, Other}};
    case Empty:
      return {true, false, {}};
    case Strange:
      return {true, true, {User}};
    case OthersOwn:
      return {true, false, {Other}};
    default:
      return {};
  }
}

struct TrustCase {
  uid_t owner;
  gid_t group;
  mode_t mode;
  FileTrust trust;
};

TEST(PosixFileTrust, GroupWriteCountsOnlyWhereSomeoneElseIsInTheGroup) {
  const TrustCase cases[] = {
      {User, Own, 0644, FileTrust::Trusted},
      {User, Own, 0664, FileTrust::Trusted},  // umask 002 under a private group
      {User, Own, 0660, FileTrust::Trusted},
      {User, Own, 0666, FileTrust::OthersMayWrite},
      {User, Own, 0646, FileTrust::OthersMayWrite},
      {User, Shared, 0644, FileTrust::Trusted},
      {User, Shared, 0664, FileTrust::GroupMayWrite},
      {User, Shared, 0666, FileTrust::OthersMayWrite},
      {User, Empty, 0664, FileTrust::GroupMayWrite},
      {User, Missing, 0664, FileTrust::GroupMayWrite},
      {User, Strange, 0664, FileTrust::GroupMayWrite},
      {User, OthersOwn, 0664, FileTrust::GroupMayWrite},  // another's private group
      {0, Own, 0664, FileTrust::GroupMayWrite},           // root's file in the user's group
      {Other, OthersOwn, 0644, FileTrust::OtherOwner},
      {Other, Own, 0664, FileTrust::OtherOwner},
  };
  int lookups = 0;
  PrivateGroups groups([&](gid_t group) {
    ++lookups;
    return database(group);
  });
  for (const TrustCase& c : cases) {
    struct stat info {};
    info.st_uid = c.owner;
    info.st_gid = c.group;
    info.st_mode = S_IFREG | c.mode;
    EXPECT_EQ(fileTrustOf(info, false, User, groups), c.trust)
        << "owner " << c.owner << " group " << c.group << " mode " << std::oct << c.mode;
  }
  // Each group the rule had to ask about, once.
  EXPECT_EQ(lookups, 6);
  // An access list's mask shows as the group bits: named users in it may
  // write, whatever the owning group holds.
  struct stat listed {};
  listed.st_uid = User;
  listed.st_gid = Own;
  listed.st_mode = S_IFREG | 0664;
  EXPECT_EQ(fileTrustOf(listed, true, User, groups), FileTrust::GroupMayWrite);
  listed.st_mode = S_IFREG | 0644;
  EXPECT_EQ(fileTrustOf(listed, true, User, groups), FileTrust::Trusted);
}

TEST(PosixFileTrust, APrivateDirectoryMayBeGroupWritableUnderTheOwnersGroup) {
  PrivateGroups groups(database);
  const auto privateDir = [&](gid_t group, mode_t mode) {
    struct stat info {};
    info.st_uid = User;
    info.st_gid = group;
    info.st_mode = S_IFDIR | mode;
    return privateDirectoryMode(info, groups);
  };
  EXPECT_TRUE(privateDir(Shared, 0700));
  EXPECT_TRUE(privateDir(Own, 0770));
  EXPECT_FALSE(privateDir(Shared, 0770));
  EXPECT_FALSE(privateDir(Shared, 0750));
  EXPECT_FALSE(privateDir(Own, 0775));
  EXPECT_FALSE(privateDir(Own, 01770));
}

// The shapes a user database takes, as every entry of a gid counts (the
// kernel gives a process all of them) and a source that cannot be walked
// may hide any entry.
TEST(PosixFileTrust, EveryEntryOfAGidCountsAndAnUnlistableDatabaseTrustsNoGroup) {
  const AccountEntry user{"anna", User, Own};
  const AccountEntry other{"bert", Other, OthersOwn};
  struct Shape {
    const char* what;
    UserDatabase database;
    GroupShare share;
  };
  const Shape shapes[] = {
      {"private group", {true, {{Own, {}}}, {user, other}}, GroupShare::Private},
      {"the user named as member too", {true, {{Own, {"anna"}}}, {user}}, GroupShare::Private},
      {"second entry of the gid names bert",
       {true, {{Own, {}}, {Own, {"bert"}}}, {user, other}},
       GroupShare::Shared},
      {"second entry, empty", {true, {{Own, {}}, {Own, {}}}, {user}}, GroupShare::Private},
      {"bert's primary group is it",
       {true, {{Own, {}}}, {user, {"bert", Other, Own}}},
       GroupShare::Shared},
      {"member no account has", {true, {{Own, {"carl"}}}, {user}}, GroupShare::Shared},
      {"no entry", {true, {}, {user}}, GroupShare::Shared},
      {"entry without accounts", {true, {{Own, {}}}, {}}, GroupShare::Shared},
      {"not listable, private as read", {false, {{Own, {}}}, {user}}, GroupShare::Unlisted},
      {"not listable, no entry", {false, {}, {user}}, GroupShare::Unlisted},
      {"not listable, bert known", {false, {{Own, {"bert"}}}, {user, other}}, GroupShare::Shared},
  };
  for (const Shape& shape : shapes) {
    EXPECT_EQ(shareOf(groupAccountsOf(shape.database, Own), User), shape.share) << shape.what;
  }
  // The file rule says which of the two refusals it is.
  const auto trustIn = [](UserDatabase database) {
    PrivateGroups groups([database](gid_t group) { return groupAccountsOf(database, group); });
    struct stat info {};
    info.st_uid = User;
    info.st_gid = Own;
    info.st_mode = S_IFREG | 0664;
    return fileTrustOf(info, false, User, groups);
  };
  EXPECT_EQ(trustIn(shapes[0].database), FileTrust::Trusted);
  EXPECT_EQ(trustIn(shapes[2].database), FileTrust::GroupMayWrite);
  EXPECT_EQ(trustIn(shapes[8].database), FileTrust::GroupUnlisted);
}

TEST(PosixFileTrust, OnlyLocalSourcesCountAsReadInFull) {
  struct Case {
    const char* nsswitch;
    bool group;
    bool passwd;
  };
  const Case cases[] = {
      {"", true, true},
      {"passwd: files systemd\ngroup: files systemd\n", true, true},
      {"passwd:\tfiles\ngroup:  files [SUCCESS=merge] systemd # local\n", true, true},
      {"passwd: files\ngroup: files sss\n", false, true},
      {"passwd: files ldap\ngroup: files\n", true, false},
      {"# group: sss\npasswd: files\n", true, true},
      {"group: compat\n", false, true},
      {"groups: sss\ngroup: files\n", true, true},
      {"group:\n", false, true},
      {"group: files [NOTFOUND=return\n", false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(enumeratesFully(c.nsswitch, "group"), c.group) << c.nsswitch;
    EXPECT_EQ(enumeratesFully(c.nsswitch, "passwd"), c.passwd) << c.nsswitch;
  }
}

// The real database: a group no entry names holds no one that the rule
// could name as the owner alone, so its write bit refuses the file.
TEST(PosixFileTrust, RealFilesInAGroupTheDatabaseDoesNotKnowAreRefused) {
  if (geteuid() != 0) GTEST_SKIP() << "giving a file an unknown group needs root";
  testing::PosixTempDir dir;
  PosixFiles files;
  testing::putFile("-menue-", "x", 0664);
  gid_t unknown = 54321;
  while (getgrgid(unknown) != nullptr) ++unknown;
  ASSERT_EQ(chown("-menue-", geteuid(), unknown), 0);
  EXPECT_EQ(files.plainFileTrust("-menue-"), FileTrust::GroupMayWrite);
  ASSERT_EQ(chmod("-menue-", 0644), 0);
  EXPECT_EQ(files.plainFileTrust("-menue-"), FileTrust::Trusted);
}

}  // namespace
}  // namespace menue
