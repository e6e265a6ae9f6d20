// End to end, POSIX: the program without a terminal (ssh without -t, cron,
// setsid) or on one that cannot position the cursor (TERM=dumb): the menu
// refuses with one line and status 2; what needs no console works as ever.
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

const std::string Refusal =
    "menue: kein Terminal: das Men\xC3\xBC braucht eine Konsole (--check, --list, --run und "
    "die anderen Optionen gehen ohne)\n";

struct PipeRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the program in a session of its own (no controlling terminal),
// standard input from /dev/null, standard output and error into pipes.
PipeRun runWithoutTerminal(const fs::path& program, const fs::path& directory,
                           const std::vector<std::string>& arguments) {
  std::vector<std::string> strings{program.string()};
  strings.insert(strings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& s : strings) argv.push_back(s.data());
  argv.push_back(nullptr);
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return {};
  const std::string dir = directory.string();
  const pid_t pid = fork();
  if (pid == 0) {
    const int input = open("/dev/null", O_RDONLY);
    if (setsid() < 0 || input < 0 || dup2(input, 0) < 0 || dup2(out[1], 1) < 0 ||
        dup2(err[1], 2) < 0 || chdir(dir.c_str()) != 0) {
      _exit(126);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  PipeRun run;
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  int open = 2;
  while (open > 0 && poll(fds, 2, -1) > 0) {
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(got));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

class NoTerminalTest : public E2eTest {};

TEST_F(NoTerminalTest, MenuRefusesAndTheOtherModesWork) {
  writeMenu("-menue-", "Kopf", {{"Eins", '1', {"true"}}});
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string outStart;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{}, 2, "", Refusal},
      {{work().string()}, 2, "", Refusal},
      {{"--version"}, 0, "menue 1.1\n", ""},
      {{"--help"}, 0, "Aufruf: menue [VERZEICHNIS]\n", ""},
      {{"--check"}, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
    const PipeRun run = runWithoutTerminal(program(), work(), c.arguments);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out.rfind(c.outStart, 0), 0u) << run.out;
    if (c.arguments.empty() || c.arguments.front() != "--check") {
      EXPECT_EQ(run.err, c.err);
    }
    // Nothing of the full-screen program reached either stream.
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
  }
}

TEST_F(NoTerminalTest, TerminalDescriptorsWithoutControllingTerminalAreNoTerminal) {
  // setsid(1) starts the program in a new session: standard input and
  // output are still the terminal, but it is no longer the controlling one.
  startThrough({"/usr/bin/setsid", "-w"});
  EXPECT_EQ(session().waitForExit(within(Patience)), 2);
  EXPECT_TRUE(session().screenContains("menue: kein Terminal")) << session().dump();
  EXPECT_EQ(session().output().find("\x1b["), std::string::npos);
}

// TERM=dumb names a terminal that prints line after line: refused as none,
// before anything is drawn. Only that value: an unset TERM or any other
// gets the menu.
TEST_F(NoTerminalTest, ATerminalThatCannotPositionTheCursorIsNoTerminal) {
  writeMenu("-menue-", "Kopf", {{"Eins", '1', {"true"}}});
  for (const char* term : {"TERM=dumb", "TERM", "TERM=vt100", "TERM=dumb-emacs-ansi"}) {
    SCOPED_TRACE(term);
    addEnvironment(term);
    if (std::string_view(term) != "TERM=dumb") {
      start();
      EXPECT_TRUE(shows(" Eins "));
      EXPECT_TRUE(endsWithEsc());
      continue;
    }
    EXPECT_EQ(statusOf({}), 2);
    EXPECT_EQ(standardError(),
              "menue: TERM=dumb: das Terminal kann den Cursor nicht setzen; das Men\xC3\xBC "
              "braucht eine Konsole (--check, --list, --run und die anderen Optionen gehen "
              "ohne)\n");
    EXPECT_EQ(session().output().find("\x1b["), std::string::npos);
    EXPECT_EQ(statusOf({"--run", "1"}), 0);  // what needs no terminal works
  }
}

}  // namespace
}  // namespace menue::e2e
