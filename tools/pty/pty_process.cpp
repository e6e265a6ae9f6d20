// Starting a program on a pseudo-terminal and the reads, writes and waits on it.
#include "tools/pty/pty_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>

#include <cerrno>
#include <cstring>

namespace menue::pty {

namespace {

std::string errorText(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

std::vector<char*> pointersTo(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  pointers.reserve(strings.size() + 1);
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// In the child, before the exec: only async-signal-safe calls.
bool redirectStandardError(const char* path) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const bool moved = dup2(fd, STDERR_FILENO) >= 0;
  close(fd);
  return moved;
}

// In the child: the signals and the mask a program gets from a shell, the
// terminal as its controlling one, its directory (and standard error when
// asked); then the program. A failure goes back through `report`, which the
// exec closes on success.
[[noreturn]] void startChild(int slave, int report, const char* directory, const char* errorFile,
                             char* const argv[], char* const envp[]) {
  struct sigaction dflt {};
  dflt.sa_handler = SIG_DFL;
  for (int sig : {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE, SIGCHLD, SIGTSTP, SIGTTIN, SIGTTOU}) {
    sigaction(sig, &dflt, nullptr);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  int error = 0;
  if (login_tty(slave) != 0 || chdir(directory) != 0 ||
      (errorFile[0] != '\0' && !redirectStandardError(errorFile))) {
    error = errno;
  } else {
    execve(argv[0], argv, envp);
    error = errno;
  }
  [[maybe_unused]] const ssize_t ignored = ::write(report, &error, sizeof error);
  _exit(127);
}

}  // namespace

PtyProcess::PtyProcess(const StartOptions& options) {
  winsize size{};
  size.ws_row = static_cast<unsigned short>(options.rows);
  size.ws_col = static_cast<unsigned short>(options.columns);
  if (options.argv.empty()) {
    error_ = "no program to start";
    return;
  }
  if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) {
    error_ = errorText("openpty");
    return;
  }
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  tcgetattr(slave_, &modesBefore_);

  // Everything the child needs is prepared before the fork.
  std::vector<std::string> environment = options.environment;
  std::vector<std::string> arguments = options.argv;
  const std::vector<char*> envp = pointersTo(environment);
  const std::vector<char*> argv = pointersTo(arguments);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    error_ = errorText("pipe2");
    return;
  }

  startedAt_ = std::chrono::steady_clock::now();
  pid_ = fork();
  if (pid_ == 0) {
    startChild(slave_, report[1], options.directory.c_str(), options.standardErrorFile.c_str(),
               argv.data(), envp.data());
  }
  close(report[1]);
  if (pid_ < 0) {
    error_ = errorText("fork");
    close(report[0]);
    return;
  }
  int childError = 0;
  ssize_t got;
  do {
    got = read(report[0], &childError, sizeof childError);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof childError)) {
    errno = childError;
    error_ = errorText("starting " + options.argv[0] + " in " + options.directory);
  }
  if (!options.keepTerminal) {
    close(slave_);
    slave_ = -1;
  }

  pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  if (pidfd_ < 0 && error_.empty()) error_ = errorText("pidfd_open");
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  if (!error_.empty()) {
    kill(pid_, SIGKILL);
    reap(true);
  }
}

PtyProcess::~PtyProcess() {
  if (pid_ > 0) {
    // The program and whatever it started share its process group.
    kill(-pid_, SIGKILL);
    if (!reaped_) {
      kill(pid_, SIGKILL);
      reap(true);
    }
  }
  for (int fd : {master_, slave_, pidfd_}) {
    if (fd >= 0) close(fd);
  }
}

Ready PtyProcess::wait(int timeoutMs, WaitFor what) {
  Ready ready;
  pollfd fds[2];
  nfds_t count = 0;
  int outputAt = -1;
  int endAt = -1;
  if (what != WaitFor::End && !hungUp()) {
    outputAt = static_cast<int>(count);
    fds[count++] = {master_, POLLIN, 0};
  }
  if (what != WaitFor::Output && pidfd_ >= 0 && !reaped_) {
    endAt = static_cast<int>(count);
    fds[count++] = {pidfd_, POLLIN, 0};
  }
  if (count == 0 || poll(fds, count, timeoutMs) <= 0) return ready;
  ready.output = outputAt >= 0 && fds[outputAt].revents != 0;
  ready.ended = endAt >= 0 && (fds[endAt].revents & POLLIN) != 0;
  return ready;
}

bool PtyProcess::readAvailable(const OutputSink& sink) {
  if (hungUp()) return false;
  char buffer[8192];
  for (;;) {
    const ssize_t got = read(master_, buffer, sizeof buffer);
    if (got > 0) {
      if (sink) sink({buffer, static_cast<std::size_t>(got)});
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno == EAGAIN) return true;
    hungUp_ = true;  // EIO: nobody has the terminal open any more
    return false;
  }
}

void PtyProcess::write(std::string_view bytes, const OutputSink& sink) {
  while (!bytes.empty() && !hungUp()) {
    const ssize_t put = ::write(master_, bytes.data(), bytes.size());
    if (put > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(put));
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && errno == EAGAIN) {
      // The program is not reading: take in its output meanwhile.
      pollfd fd{master_, static_cast<short>(sink ? POLLOUT | POLLIN : POLLOUT), 0};
      if (poll(&fd, 1, 1000) > 0 && (fd.revents & POLLIN) && sink) readAvailable(sink);
      continue;
    }
    return;
  }
}

void PtyProcess::signal(int signalNumber) {
  if (running()) kill(pid_, signalNumber);
}

void PtyProcess::resize(int rows, int columns) {
  winsize size{};
  size.ws_row = static_cast<unsigned short>(rows);
  size.ws_col = static_cast<unsigned short>(columns);
  if (master_ >= 0) ioctl(master_, TIOCSWINSZ, &size);
}

bool PtyProcess::reap(bool block) {
  if (pid_ <= 0 || reaped_) return reaped_;
  pid_t done;
  do {
    done = wait4(pid_, &status_, block ? 0 : WNOHANG, &usage_);
  } while (done < 0 && errno == EINTR);
  reaped_ = done == pid_;
  return reaped_;
}

std::optional<int> PtyProcess::exitCode() const {
  if (!reaped_) return std::nullopt;
  if (WIFEXITED(status_)) return WEXITSTATUS(status_);
  if (WIFSIGNALED(status_)) return 128 + WTERMSIG(status_);
  return -1;
}

termios PtyProcess::modesNow() const {
  termios now{};
  if (slave_ >= 0) tcgetattr(slave_, &now);
  return now;
}

}  // namespace menue::pty
