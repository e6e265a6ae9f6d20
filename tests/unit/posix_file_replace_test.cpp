// Two real processes rewriting one MenuFile through the POSIX replacement,
// each from the text it read: no line is lost, a writer killed at any
// moment leaves neither a lock nor a file behind, and a program that
// writes the file without the lock, in place or by a rename, keeps its
// change whenever it comes.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/file.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <thread>

#include "platform/posix/files/file_io.h"
#include "platform/posix/files/posix_files.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

constexpr const char* Path = "-menue-";

// One edit as the menu makes it: read, add a line, replace what was read;
// read again and retry when another writer came first. False on a failure.
bool appendLine(PosixFiles& files, const std::string& line) {
  for (;;) {
    std::string seen;
    if (readWholeFile(Path, seen) != code::Success) return false;
    const PlatformCode result = files.replaceFile(Path, seen, seen + line + "\r\n");
    if (result == code::Success) return true;
    if (result != code::FileInvalid) return false;
  }
}

// A child that appends `rounds` lines "WRITER ROUND" (forever when 0) and
// writes one byte to `progress` after each.
pid_t startWriter(char writer, int rounds, int progress = -1) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  PosixFiles files;
  for (int round = 1; rounds == 0 || round <= rounds; ++round) {
    if (!appendLine(files, std::string(1, writer) + " " + std::to_string(round))) _exit(1);
    if (progress >= 0 && write(progress, "x", 1) != 1) _exit(1);
  }
  _exit(0);
}

int exitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PosixFileReplace, TwoWritersManyRoundsLoseNoLine) {
  testing::PosixTempDir dir;
  testing::putFile(Path, "(Menuanzeige)\r\n");
  constexpr int Rounds = 150;
  const pid_t first = startWriter('a', Rounds);
  const pid_t second = startWriter('b', Rounds);
  EXPECT_EQ(exitStatus(first), 0);
  EXPECT_EQ(exitStatus(second), 0);
  // Every line once, each writer's in its own order, none torn.
  std::istringstream lines(testing::fileText(Path));
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "(Menuanzeige)\r");
  int next[2] = {1, 1};
  while (std::getline(lines, line)) {
    ASSERT_TRUE(line.size() > 3 && (line[0] == 'a' || line[0] == 'b') && line.back() == '\r')
        << line;
    int& expected = next[line[0] - 'a'];
    EXPECT_EQ(line.substr(2, line.size() - 3), std::to_string(expected)) << line;
    ++expected;
  }
  EXPECT_EQ(next[0], Rounds + 1);
  EXPECT_EQ(next[1], Rounds + 1);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

TEST(PosixFileReplace, AKilledWriterLeavesNoLockAndNoFile) {
  testing::PosixTempDir dir;
  testing::putFile(Path, "");
  int progress[2];
  ASSERT_EQ(pipe(progress), 0);
  const pid_t writer = startWriter('a', 0, progress[1]);
  close(progress[1]);
  // Killed somewhere in its 25th edit, or between two.
  char byte = 0;
  for (int round = 0; round < 24; ++round) ASSERT_EQ(read(progress[0], &byte, 1), 1);
  kill(writer, SIGKILL);
  EXPECT_EQ(exitStatus(writer), -1);
  close(progress[0]);
  // The next writer is not kept waiting, and the directory holds the
  // MenuFile alone: no lock file, no temporary file.
  PosixFiles files;
  EXPECT_TRUE(appendLine(files, "b 1"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
  EXPECT_TRUE(testing::fileText(Path).ends_with("b 1\r\n"));
}

// A writer that takes no lock: an editor that writes the file in place, or
// one (sed -i) that renames its own file over it.
enum class Writer { InPlace, ByRename };

void writeWithoutLock(Writer kind, const std::string& text) {
  if (kind == Writer::InPlace) {
    const int fd = open(Path, O_WRONLY | O_TRUNC | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(fd);
  } else {
    testing::putFile("sed.tmp", text);
    ASSERT_EQ(rename("sed.tmp", Path), 0);
  }
}

std::size_t entryCount() {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("."), {}));
}

// The other program's write falls into each window of the replacement:
// before the comparison (while the new file is flushed) and between the
// comparison and the swap, with the swap and as on a file system without
// it. Its text stays, and the edit is refused.
TEST(PosixFileReplace, AWriterWithoutTheLockInEachWindowKeepsItsChange) {
  struct Case {
    Writer writer;
    ReplaceStep step;
    bool noExchange;
  };
  const Case cases[] = {
      {Writer::InPlace, ReplaceStep::Synced, false},
      {Writer::ByRename, ReplaceStep::Synced, false},
      {Writer::InPlace, ReplaceStep::Compared, false},
      {Writer::ByRename, ReplaceStep::Compared, false},
      {Writer::InPlace, ReplaceStep::Synced, true},
      {Writer::ByRename, ReplaceStep::Synced, true},
      {Writer::InPlace, ReplaceStep::Compared, true},
      {Writer::ByRename, ReplaceStep::Compared, true},
  };
  testing::PosixTempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.writer) * 100 + static_cast<int>(c.step) * 10 + c.noExchange);
    testing::putFile(Path, "seen text\r\n", 0640);
    PosixFiles files;
    const std::string theirs = "their change, longer than the text seen\r\n";
    files.setReplaceHooks({[&](ReplaceStep step) {
                             if (step == c.step) writeWithoutLock(c.writer, theirs);
                           },
                           c.noExchange});
    EXPECT_EQ(files.replaceFile(Path, "seen text\r\n", "menu edit\r\n"), code::FileInvalid);
    EXPECT_EQ(testing::fileText(Path), theirs);
    EXPECT_EQ(entryCount(), 1u);
  }
}

// The edits' lock is a write lock of the file itself: a writer of this
// program that holds it makes the next one give up after a short while
// (LockViolation, nothing written), and a lock on the directory, which any
// reader may take, holds nobody up.
TEST(PosixFileReplace, OnlyAWriterOfTheFileCanHoldAnEditUp) {
  testing::PosixTempDir dir;
  testing::putFile(Path, "seen\r\n", 0644);
  PosixFiles files;
  {
    const int held = open(Path, O_RDWR | O_CLOEXEC);
    ASSERT_GE(held, 0);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(held, F_OFD_SETLK, &whole), 0);
    EXPECT_EQ(files.replaceFile(Path, "seen\r\n", "edit\r\n"), code::LockViolation);
    EXPECT_EQ(files.deleteSeenFile(Path, "seen\r\n", true), code::LockViolation);
    EXPECT_EQ(testing::fileText(Path), "seen\r\n");
    close(held);
  }
  const int directory = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(directory, 0);
  ASSERT_EQ(flock(directory, LOCK_EX), 0);
  const int reader = open(Path, O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(reader, LOCK_EX), 0);
  EXPECT_EQ(files.replaceFile(Path, "seen\r\n", "edit\r\n"), code::Success);
  EXPECT_EQ(testing::fileText(Path), "edit\r\n");
  EXPECT_EQ(entryCount(), 1u);
  close(reader);
  close(directory);
}

// A writer that renames its file over the MenuFile at a random moment
// while edits run with a slow flush: its change is never lost, whether it
// came before the edit's comparison or after the swap.
TEST(PosixFileReplace, RacingRenamesUnderASlowFlushLoseNothing) {
  testing::PosixTempDir dir;
  testing::putFile(Path, "round 0\r\n");
  PosixFiles files;
  files.setReplaceHooks({[](ReplaceStep step) {
                           if (step == ReplaceStep::Synced) {
                             std::this_thread::sleep_for(std::chrono::microseconds(300));
                           }
                         },
                         false});
  std::mt19937 random(17);
  int refused = 0;
  constexpr int Rounds = 300;
  for (int round = 1; round <= Rounds; ++round) {
    const std::string seen = testing::fileText(Path);
    const std::string theirs = "round " + std::to_string(round) + "\r\n";
    const auto delay = std::chrono::microseconds(random() % 600);
    std::thread writer([&] {
      std::this_thread::sleep_for(delay);
      writeWithoutLock(Writer::ByRename, theirs);
    });
    const PlatformCode result = files.replaceFile(Path, seen, "menu edit\r\n");
    writer.join();
    ASSERT_TRUE(result == code::Success || result == code::FileInvalid) << result;
    refused += result == code::FileInvalid;
    ASSERT_EQ(testing::fileText(Path), theirs) << "round " << round;
    ASSERT_EQ(entryCount(), 1u);
  }
  // Both orders came up: the race was run, not one side of it.
  RecordProperty("refused", refused);
}

}  // namespace
}  // namespace menue
