// Two real processes rewriting one MenuFile through the POSIX replacement,
// each from the text it read: no line is lost, and a writer killed at any
// moment leaves neither a lock nor a file behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

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

}  // namespace
}  // namespace menue
