// Starting programs on POSIX: LaunchScripts through the shell, other
// command lines as words without a shell, the terminal handed over around
// each start, signals and descriptors the child gets.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix/processes/posix_processes.h"
#include "posix_temp_dir.h"

namespace menue {
namespace {

using testing::fileText;
using testing::putFile;

class CountingHandover : public TerminalHandover {
 public:
  void suspendForChild() override { ++suspended; }
  void resumeAfterChild() override { ++resumed; }
  int suspended = 0;
  int resumed = 0;
};

class PosixProcessesTest : public ::testing::Test {
 protected:
  testing::PosixTempDir dir;
  CountingHandover terminal;
  ChildReaper children;
  PosixProcesses processes{terminal, children};
};

TEST_F(PosixProcessesTest, LaunchScriptRunsThroughTheShellWithoutItsFirstLine) {
  const std::string script = "@Echo off\r\necho one > out.txt\r\necho two\r >> out.txt\r\n";
  putFile("menue.cmd", script, 0600);
  EXPECT_EQ(processes.start("menue.cmd", true), code::Success);
  EXPECT_EQ(fileText("out.txt"), "one\ntwo\r\n");
  EXPECT_EQ(fileText("menue.cmd"), script);
  EXPECT_EQ(terminal.suspended, 1);
  EXPECT_EQ(terminal.resumed, 1);
}

TEST_F(PosixProcessesTest, QuotedScriptNameInAnyCase) {
  putFile("My Script.CMD", "@Echo off\r\necho $0 > out.txt\r\n", 0600);
  EXPECT_EQ(processes.start("\"My Script.CMD\"", true), code::Success);
  EXPECT_EQ(fileText("out.txt"), "My Script.CMD\n");
}

// A script path is one name whatever it holds: a planted program named by
// its first word never runs, and a quote is part of the name. The shell's
// $0 (what its own messages name) is the program, not the path.
TEST_F(PosixProcessesTest, ScriptRunsByItsPathAsOneName) {
  for (const std::string directory : {"my tmp", "q\"x", "a'b $HOME;c"}) {
    SCOPED_TRACE(directory);
    std::filesystem::create_directory(directory);
    putFile("my", "#!/bin/sh\ntouch planted\n", 0755);
    putFile(directory + "/menue.cmd", "@Echo off\r\necho $0 > out.txt\r\n", 0600);
    EXPECT_EQ(processes.runScript(directory + "/menue.cmd", true), code::Success);
    EXPECT_EQ(fileText("out.txt"), "menue\n");
    EXPECT_FALSE(std::filesystem::exists("planted"));
  }
}

// The text goes to the shell through a descriptor, so no argument limit
// applies, and the script's commands do not inherit that descriptor.
TEST_F(PosixProcessesTest, ScriptLargerThanAnArgumentMayBeRuns) {
  std::string script = "@Echo off\r\n";
  while (script.size() < 300 * 1024) script += "x=" + std::string(100, 'x') + "\r\n";
  script += "test -e /proc/self/fd/3 && echo open > out.txt || echo closed > out.txt\r\n";
  putFile("menue.cmd", script, 0600);
  EXPECT_EQ(processes.runScript("menue.cmd", true), code::Success);
  EXPECT_EQ(fileText("out.txt"), "closed\n");
  EXPECT_EQ(processes.runScript("missing.cmd", true), code::FileNotFound);
}

TEST_F(PosixProcessesTest, OtherCommandLinesAreWordsWithoutAShell) {
  EXPECT_EQ(processes.start("touch \"a b\" c$HOME", true), code::Success);
  EXPECT_TRUE(std::filesystem::exists("a b"));
  EXPECT_TRUE(std::filesystem::exists("c$HOME"));
}

// A line the shell reads whole: its syntax means what it says, $0 names the
// program, and the status is the shell's.
TEST_F(PosixProcessesTest, LinesThroughTheShell) {
  EXPECT_EQ(processes.startThroughShell("echo \"$0\" a* | tr a-z A-Z > out.txt; exit 4", true),
            code::Success);
  EXPECT_EQ(processes.lastExitStatus(), 4);
  EXPECT_EQ(fileText("out.txt"), "MENUE A*\n");
  putFile("a1", "", 0600);
  EXPECT_EQ(processes.startThroughShell("echo a* > out.txt", true), code::Success);
  EXPECT_EQ(fileText("out.txt"), "a1\n");
}

// A wait that fails (SIGCHLD ignored: the system reaps the child unasked)
// is a failed start, never a status of 0.
TEST_F(PosixProcessesTest, AFailedWaitIsAFailure) {
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGCHLD, &ignore, &previous);
  const PlatformCode direct = processes.start("sh -c \"exit 3\"", true);
  const PlatformCode shell = processes.startThroughShell("exit 3", true);
  sigaction(SIGCHLD, &previous, nullptr);
  EXPECT_NE(direct, code::Success);
  EXPECT_NE(shell, code::Success);
  EXPECT_EQ(terminal.suspended, terminal.resumed);
}

TEST_F(PosixProcessesTest, FailuresComeBackAsWindowsCodes) {
  EXPECT_EQ(processes.start("", true), code::FileNotFound);
  EXPECT_EQ(processes.start("   ", false), code::FileNotFound);
  EXPECT_EQ(processes.start("missing.cmd", true), code::FileNotFound);
  EXPECT_EQ(processes.start("/no/such/program", true), code::FileNotFound);
  EXPECT_EQ(processes.start("no-such-program-anywhere", false), code::FileNotFound);
  // The terminal comes back after a start that failed.
  EXPECT_EQ(terminal.suspended, terminal.resumed);
}

TEST_F(PosixProcessesTest, ChildGetsDefaultInterruptsAndNoExtraDescriptors) {
  const int leaked = open("/dev/null", O_RDONLY);  // without O_CLOEXEC on purpose
  ASSERT_GE(leaked, 3);
  const std::string check =
      "sh -c \"grep SigIgn /proc/self/status > sig.txt; test -e /proc/self/fd/" +
      std::to_string(leaked) + " && echo open > fd.txt || echo closed > fd.txt\"";
  EXPECT_EQ(processes.start(check, true), code::Success);
  close(leaked);
  EXPECT_EQ(fileText("fd.txt"), "closed\n");
  // SIGINT is bit 1 and SIGQUIT bit 2 of the ignored mask.
  const std::string ignored = fileText("sig.txt");
  ASSERT_GT(ignored.size(), 8u) << ignored;
  const unsigned long mask =
      std::stoul(ignored.substr(ignored.find_first_of("0123456789abcdef")), nullptr, 16);
  EXPECT_EQ(mask & 0x6, 0u) << ignored;
}

TEST_F(PosixProcessesTest, StartedWithoutWaitingIsReapedLater) {
  EXPECT_EQ(processes.start("true", false), code::Success);
  EXPECT_EQ(terminal.resumed, 1);
  // Wait for its end without collecting it, then let the reaper collect it.
  siginfo_t info{};
  ASSERT_EQ(waitid(P_ALL, 0, &info, WEXITED | WNOWAIT), 0);
  EXPECT_EQ(children.reap(), 0u);
  EXPECT_EQ(waitpid(info.si_pid, nullptr, WNOHANG), -1);  // no zombie left
}

// What --run exits with: the code of a program waited for, a signal's end
// as a shell reports it, and a script's last status.
TEST_F(PosixProcessesTest, TheExitStatusOfWhatWasWaitedFor) {
  EXPECT_EQ(processes.start("sh -c \"exit 3\"", true), code::Success);
  EXPECT_EQ(processes.lastExitStatus(), 3);
  EXPECT_EQ(processes.start("sh -c \"kill -9 $$\"", true), code::Success);
  EXPECT_EQ(processes.lastExitStatus(), 128 + 9);
  putFile("menue.cmd", "@Echo off\r\nfalse\r\n", 0600);
  EXPECT_EQ(processes.runScript("menue.cmd", true), code::Success);
  EXPECT_EQ(processes.lastExitStatus(), 1);
}

}  // namespace
}  // namespace menue
