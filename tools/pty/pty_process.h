// A program started on a fresh pseudo-terminal: the start-up (environment,
// working directory, window size, a failed exec reported), reading its output,
// writing to it, waiting on it and reaping it. What the end-to-end tests and
// the terminal benchmark share; what they read from the output is theirs.
//
// Every wait blocks in poll(2) on the terminal and on the program's pidfd.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace menue::pty {

struct StartOptions {
  std::vector<std::string> argv;  // argv[0] is the program's path
  std::string directory;
  std::vector<std::string> environment;  // the whole environment, "NAME=value"
  int rows = 25;
  int columns = 80;
  // Keeps the terminal's own side open, so that its modes can still be read
  // after the program ended (and the terminal never hangs up).
  bool keepTerminal = false;
  // When set, the program's standard error goes to this file, not the terminal.
  std::string standardErrorFile;
};

enum class WaitFor { Output, End, Either };

// What a wait saw.
struct Ready {
  bool output = false;  // output (or the hang-up) waits to be read
  bool ended = false;   // the program has ended, not yet reaped
};

// Takes a piece of the program's output.
using OutputSink = std::function<void(std::string_view)>;

class PtyProcess {
 public:
  // Starts the program; a failure leaves error() saying why (and no program).
  explicit PtyProcess(const StartOptions& options);
  // Kills the program and its process group unless it was reaped, and reaps it.
  ~PtyProcess();
  PtyProcess(const PtyProcess&) = delete;
  PtyProcess& operator=(const PtyProcess&) = delete;

  const std::string& error() const { return error_; }
  // Just before the fork.
  std::chrono::steady_clock::time_point startedAt() const { return startedAt_; }
  bool running() const { return pid_ > 0 && !reaped_; }
  // No output can come any more: the terminal hung up, or there is none.
  bool hungUp() const { return hungUp_ || master_ < 0; }

  // Waits up to `timeoutMs` (-1: no limit) for what is asked, of what can
  // still come; returns at once when nothing can.
  Ready wait(int timeoutMs, WaitFor what);
  // Hands whatever output is there now to `sink`, without waiting. False once
  // the terminal has hung up (nobody has it open any more).
  bool readAvailable(const OutputSink& sink);
  // Writes all bytes unless the terminal goes away. While the program does
  // not read, its output goes to `sink` (when given) so neither side blocks.
  void write(std::string_view bytes, const OutputSink& sink = {});
  void signal(int signalNumber);
  // Sets the terminal's window size; the kernel tells the program (SIGWINCH).
  void resize(int rows, int columns);

  // Collects the ended program (waiting for it when `block`); true once reaped.
  bool reap(bool block);
  // Once reaped: the exit code, or 128 + the signal number that ended it.
  std::optional<int> exitCode() const;
  // Once reaped: its resource use.
  const rusage& usage() const { return usage_; }

  // The terminal's modes as the program found them, and (with keepTerminal) now.
  const termios& modesBefore() const { return modesBefore_; }
  termios modesNow() const;
  pid_t pid() const { return pid_; }

 private:
  std::string error_;
  pid_t pid_ = -1;
  int master_ = -1;
  int slave_ = -1;
  int pidfd_ = -1;
  bool reaped_ = false;
  bool hungUp_ = false;
  int status_ = 0;
  rusage usage_{};
  termios modesBefore_{};
  std::chrono::steady_clock::time_point startedAt_;
};

}  // namespace menue::pty
