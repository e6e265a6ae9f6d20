// The POSIX file system on real files in a scratch directory: safe
// replacement of the text seen, exclusive creation, moves, deletes and the
// plain-file search.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "platform/posix/files/file_io.h"
#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

using testing::fileText;
using testing::modeOf;
using testing::putFile;

constexpr PlatformCode AlreadyExists = 183;

std::vector<std::string> entries() {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(".")) {
    names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class PosixFilesTest : public ::testing::Test {
 protected:
  testing::PosixTempDir dir;
  PosixFiles files;
};

TEST_F(PosixFilesTest, ReplaceWritesEveryByteAndKeepsThePermissions) {
  putFile("-menue-", "old", 0640);
  const std::string text("Kopfzeile=A\r\n\x81\x00\xff\r\n", 17);
  EXPECT_EQ(files.replaceFile("-menue-", "old", text), code::Success);
  EXPECT_EQ(fileText("-menue-"), text);
  EXPECT_EQ(modeOf("-menue-"), 0640u);
  EXPECT_EQ(entries(), std::vector<std::string>{"-menue-"});
}

TEST_F(PosixFilesTest, ReplaceRemovesTemporariesOfProgramsThatNoLongerRun) {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  const std::string stale = ".-menue-." + std::to_string(child) + ".abcdef";
  const std::string live = ".-menue-.1.abcdef";  // init runs as long as the system
  putFile(stale, "half", 0600);
  putFile(live, "being written", 0600);
  putFile(".-menue-.x.abcdef", "not ours", 0600);
  EXPECT_EQ(files.replaceFile("-menue-", std::nullopt, "new"), code::Success);
  EXPECT_EQ(entries(),
            (std::vector<std::string>{"-menue-", ".-menue-.1.abcdef", ".-menue-.x.abcdef"}));
}

TEST_F(PosixFilesTest, ReplaceCreatesAMissingFile) {
  EXPECT_EQ(files.replaceFile("new", std::nullopt, "abc"), code::Success);
  EXPECT_EQ(fileText("new"), "abc");
  EXPECT_EQ(entries(), std::vector<std::string>{"new"});
}

// A writer replaces only the text it saw: the same bytes, or no file.
TEST_F(PosixFilesTest, ReplaceOnlyWhatTheWriterSaw) {
  using Seen = FileSystem::SeenText;
  const struct {
    std::optional<std::string> onDisk;
    Seen seen;
    PlatformCode result;
  } cases[] = {
      {"old", "old", code::Success},
      {"old", "olD", code::FileInvalid},
      {"old", "ol", code::FileInvalid},
      {"old", "old\n", code::FileInvalid},
      {"old", std::nullopt, code::FileInvalid},
      {std::nullopt, "old", code::FileInvalid},
      {std::nullopt, std::nullopt, code::Success},
      {"", "", code::Success},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("-menue-");
    if (c.onDisk) putFile("-menue-", *c.onDisk, 0644);
    SCOPED_TRACE(c.onDisk.value_or("(none)") + " seen as " +
                 std::string(c.seen.value_or("(none)")));
    EXPECT_EQ(files.replaceFile("-menue-", c.seen, "new"), c.result);
    const bool written = c.result == code::Success;
    EXPECT_EQ(std::filesystem::exists("-menue-"), written || c.onDisk.has_value());
    if (written || c.onDisk) {
      EXPECT_EQ(fileText("-menue-"), written ? "new" : *c.onDisk);
    }
    EXPECT_EQ(entries().size(), written || c.onDisk ? 1u : 0u);
  }
}

// A reader of a huge file saw its start: that start, and that it goes on.
TEST_F(PosixFilesTest, DeleteOnlyWhatTheReaderSaw) {
  putFile("-menue-", "old", 0644);
  EXPECT_EQ(files.deleteSeenFile("-menue-", "olD", true), code::FileInvalid);
  EXPECT_EQ(files.deleteSeenFile("-menue-", "ol", true), code::FileInvalid);
  EXPECT_EQ(files.deleteSeenFile("-menue-", "old", false), code::FileInvalid);
  EXPECT_EQ(fileText("-menue-"), "old");
  EXPECT_EQ(files.deleteSeenFile("-menue-", "ol", false), code::Success);
  EXPECT_EQ(files.deleteSeenFile("-menue-", "old", true), code::FileNotFound);
  putFile("-menue-", "old", 0644);
  EXPECT_EQ(files.deleteSeenFile("-menue-", "old", true), code::Success);
  EXPECT_TRUE(entries().empty());
}

TEST_F(PosixFilesTest, ReplaceRefusesAReadOnlyTargetAndTouchesNothing) {
  putFile("-menue-", "old", 0444);
  EXPECT_EQ(files.replaceFile("-menue-", "old", "new"), code::AccessDenied);
  EXPECT_EQ(fileText("-menue-"), "old");
  EXPECT_EQ(entries(), std::vector<std::string>{"-menue-"});
  std::filesystem::create_directory("sub");
  EXPECT_EQ(files.replaceFile("sub", "", "new"), code::AccessDenied);
}

TEST_F(PosixFilesTest, ReplaceInAReadOnlyDirectoryFailsAndLeavesNoTemporaryFile) {
  std::filesystem::create_directory("ro");
  putFile("ro/-menue-", "old", 0666);
  chmod("ro", 0555);
  const int result = testing::runUnprivileged(
      [] { return static_cast<int>(PosixFiles().replaceFile("ro/-menue-", "old", "new")); });
  EXPECT_EQ(result, static_cast<int>(code::AccessDenied));
  EXPECT_EQ(fileText("ro/-menue-"), "old");
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator("ro")) {
    left.push_back(e.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"-menue-"});
}

TEST_F(PosixFilesTest, CreateNewIsPrivateAndNeverThroughALink) {
  EXPECT_EQ(files.createNewFile("menue.cmd", "@Echo off\r\n"), code::Success);
  EXPECT_EQ(fileText("menue.cmd"), "@Echo off\r\n");
  EXPECT_EQ(modeOf("menue.cmd"), 0600u);
  EXPECT_EQ(files.createNewFile("menue.cmd", "x"), AlreadyExists);
  EXPECT_EQ(fileText("menue.cmd"), "@Echo off\r\n");
  std::filesystem::create_symlink("elsewhere", "link.cmd");
  EXPECT_EQ(files.createNewFile("link.cmd", "x"), AlreadyExists);
  EXPECT_FALSE(std::filesystem::exists("elsewhere"));
}

TEST_F(PosixFilesTest, FallbackScriptDirectoryIsMadePrivateOrRefused) {
  const std::string script = dir.path() + "/own/menue.cmd";
  PosixFiles withFallback(script);
  EXPECT_EQ(withFallback.createNewFile(script, "a"), code::Success);
  EXPECT_EQ(modeOf("own"), 0700u);
  EXPECT_EQ(withFallback.deleteFile(script), code::Success);
  chmod("own", 0755);
  EXPECT_EQ(withFallback.createNewFile(script, "a"), code::AccessDenied);
  EXPECT_FALSE(std::filesystem::exists(script));
  // A script found in a directory that is not private is neither seen nor
  // deleted: it is not this run's.
  putFile(script, "@Echo off\r\n");
  EXPECT_FALSE(withFallback.isPlainFile(script));
  EXPECT_EQ(withFallback.deleteFile(script), code::AccessDenied);
  EXPECT_EQ(fileText(script), "@Echo off\r\n");
  chmod("own", 0700);
  EXPECT_TRUE(withFallback.isPlainFile(script));
  EXPECT_EQ(withFallback.deleteFile(script), code::Success);
  // Another path in such a directory is not the backend's business.
  EXPECT_EQ(withFallback.createNewFile("own/other.cmd", "a"), code::Success);
  std::filesystem::remove_all("own");
  EXPECT_FALSE(withFallback.isPlainFile(script));
  EXPECT_EQ(withFallback.deleteFile(script), code::FileNotFound);
}

TEST_F(PosixFilesTest, DeleteMoveAndReadReportWindowsCodes) {
  std::filesystem::create_directory("sub");
  putFile("a", "A");
  putFile("b", "B");
  EXPECT_EQ(files.deleteFile("sub"), code::AccessDenied);
  EXPECT_EQ(files.deleteFile("missing"), code::FileNotFound);
  putFile("read-only", "R", 0444);
  EXPECT_EQ(files.deleteFile("read-only"), code::AccessDenied);
  EXPECT_EQ(fileText("read-only"), "R");
  EXPECT_EQ(files.moveFile("a", "b"), AlreadyExists);
  EXPECT_EQ(fileText("a"), "A");
  EXPECT_EQ(fileText("b"), "B");
  EXPECT_EQ(files.moveFile("a", "c"), code::Success);
  EXPECT_EQ(fileText("c"), "A");
  EXPECT_EQ(files.moveFile("missing", "d"), code::FileNotFound);
  std::string contents = "unchanged";
  EXPECT_EQ(readWholeFile("missing", contents), code::FileNotFound);
  EXPECT_EQ(readWholeFile("sub", contents), code::AccessDenied);
  EXPECT_EQ(contents, "unchanged");
  EXPECT_EQ(readWholeFile("c", contents), code::Success);
  EXPECT_EQ(contents, "A");
}

// A FIFO where a MenuFile was: no read waits for a writer or for more
// bytes, and none takes what a writer put in. The test holds both ends, so
// a read that took the FIFO would find bytes and then wait for good.
TEST_F(PosixFilesTest, ReadsRefuseAFifoWithoutWaiting) {
  ASSERT_EQ(mkfifo("-menue-", 0644), 0);
  const int held = open("-menue-", O_RDWR | O_NONBLOCK);
  ASSERT_GE(held, 0);
  ASSERT_EQ(write(held, "Kopfzeile=X\r\n", 13), 13);
  std::string contents = "unchanged";
  FileStart start;
  EXPECT_EQ(files.readFileStart("-menue-", 4, start), code::FileNotFound);
  EXPECT_EQ(readWholeFile("-menue-", contents), code::FileNotFound);
  EXPECT_EQ(contents, "unchanged");
  close(held);
}

TEST_F(PosixFilesTest, PlainFileSearchFiltersAndSortsByBytes) {
  for (const char* name : {"b1", "a2", "B3", ".h1", "abc", "a"}) putFile(name, "x");
  std::filesystem::create_directory("d1");
  std::filesystem::create_directory_symlink("d1", "l1");
  std::filesystem::create_symlink("a2", "f1");
  EXPECT_EQ(files.findPlainFiles("??"), (std::vector<std::string>{"B3", "a2", "b1", "f1"}));
  EXPECT_EQ(files.findPlainFiles("a?"), std::vector<std::string>{"a2"});
  EXPECT_EQ(files.findPlainFiles("a"), std::vector<std::string>{"a"});
  EXPECT_EQ(files.findPlainFiles("A?"), std::vector<std::string>{});
  EXPECT_EQ(files.findPlainFiles("a*"), (std::vector<std::string>{"a", "a2", "abc"}));
  EXPECT_TRUE(files.isPlainFile("a2"));
  EXPECT_TRUE(files.isPlainFile("f1"));
  EXPECT_TRUE(files.isPlainFile(dir.path() + "/b1"));
  EXPECT_FALSE(files.isPlainFile("d1"));
  EXPECT_FALSE(files.isPlainFile("l1"));
  EXPECT_FALSE(files.isPlainFile(".h1"));
  EXPECT_FALSE(files.isPlainFile("missing"));
  // A walk enters real directories only: no link, no hidden one.
  std::filesystem::create_directory(".hd");
  std::filesystem::create_directory("c0");
  EXPECT_EQ(files.findDirectories(), (std::vector<std::string>{"c0", "d1"}));
}

// Only the user's and root's files that no one else may write are trusted;
// a link counts as the file it leads to. The look at a name and the read of
// the opened file tell the same.
TEST_F(PosixFilesTest, PlainFileTrustFollowsOwnerAndMode) {
  const auto trust = [&](const char* name) {
    const std::optional<FileTrust> looked = files.plainFileTrust(name);
    FileStart start;
    const bool read = files.readFileStart(name, 1, start) == code::Success;
    EXPECT_EQ(read ? std::optional(start.trust) : std::nullopt, looked) << name;
    return looked;
  };
  putFile("own", "x", 0644);
  putFile("group", "x", 0664);
  putFile("everyone", "x", 0646);
  std::filesystem::create_symlink("own", "to-own");
  std::filesystem::create_symlink("everyone", "to-everyone");
  std::filesystem::create_directory("d1");
  EXPECT_EQ(trust("own"), FileTrust::Trusted);
  EXPECT_EQ(trust("group"), FileTrust::OthersMayWrite);
  EXPECT_EQ(trust("everyone"), FileTrust::OthersMayWrite);
  EXPECT_EQ(trust("to-own"), FileTrust::Trusted);
  EXPECT_EQ(trust("to-everyone"), FileTrust::OthersMayWrite);
  EXPECT_EQ(trust("d1"), std::nullopt);
  EXPECT_EQ(trust("missing"), std::nullopt);
  if (geteuid() != 0) GTEST_SKIP() << "files of other owners need root to make";
  putFile("given", "x", 0644);
  ASSERT_EQ(chown("given", 65534, 65534), 0);
  EXPECT_EQ(trust("given"), FileTrust::OtherOwner);
}

TEST_F(PosixFilesTest, DirectoriesAndDrives) {
  std::filesystem::create_directory("sub");
  std::string path;
  EXPECT_EQ(files.changeDirectory("sub"), code::Success);
  EXPECT_EQ(files.currentDirectory(path), code::Success);
  EXPECT_EQ(path, std::filesystem::canonical(dir.path()).string() + "/sub");
  EXPECT_EQ(files.changeDirectory("missing"), code::FileNotFound);
  EXPECT_EQ(files.changeDrive('d'), code::PathNotFound);
}

TEST_F(PosixFilesTest, ARemovedDirectoryKeepsItsPathForThePrompt) {
  std::filesystem::create_directory("gone");
  ASSERT_EQ(files.changeDirectory("gone"), code::Success);
  std::filesystem::remove(std::filesystem::canonical(dir.path()) / "gone");
  std::string path;
  EXPECT_EQ(files.currentDirectory(path), code::Success);
  EXPECT_EQ(path, std::filesystem::canonical(dir.path()).string() + "/gone");
  EXPECT_TRUE(files.findPlainFiles("-menue-").empty());
  EXPECT_EQ(files.changeDirectory(dir.path()), code::Success);
  EXPECT_EQ(files.currentDirectory(path), code::Success);
  EXPECT_EQ(path, std::filesystem::canonical(dir.path()).string());
}

}  // namespace
}  // namespace menue
