// The program under a pseudo-terminal: start, timed reads, keys, /proc
// figures and the end.
#include "bench/pty_child.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <sstream>

namespace menue::bench {

namespace {

// Rounded up, so that a poll never returns just before the deadline.
int msLeft(SteadyClock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, INT_MAX));
}

double msBetween(SteadyClock::time_point from, SteadyClock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

std::string readWhole(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The value of a "Name:   value ..." line of /proc/pid/status.
std::optional<std::uint64_t> statusField(const std::string& status, const std::string& name) {
  const std::size_t at = status.find("\n" + name + ":");
  if (at == std::string::npos) return std::nullopt;
  return std::stoull(status.substr(at + name.size() + 2));
}

}  // namespace

PtyChild::PtyChild(const ChildOptions& options) {
  std::vector<std::string> strings = options.environment;
  std::vector<char*> envp;
  for (auto& entry : strings) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::vector<std::string> args = options.argv;
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  winsize size{};
  size.ws_row = static_cast<unsigned short>(options.rows);
  size.ws_col = static_cast<unsigned short>(options.columns);
  started_ = SteadyClock::now();
  lastByte_ = started_;
  pid_ = forkpty(&master_, nullptr, nullptr, &size);
  if (pid_ < 0) {
    error_ = std::string("forkpty: ") + std::strerror(errno);
    return;
  }
  if (pid_ == 0) {
    if (chdir(options.directory.c_str()) == 0) execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  if (pidfd_ < 0) error_ = std::string("pidfd_open: ") + std::strerror(errno);
}

PtyChild::~PtyChild() {
  if (pid_ > 0 && !reaped_) {
    kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (master_ >= 0) close(master_);
  if (pidfd_ >= 0) close(pidfd_);
}

bool PtyChild::pump(int timeoutMs, std::size_t& bytes) {
  if (hungUp_) return false;
  pollfd fd{master_, POLLIN, 0};
  const int ready = poll(&fd, 1, timeoutMs);
  if (ready < 0 && errno != EINTR) return false;
  if (ready <= 0) return true;
  char buffer[8192];
  for (;;) {
    const ssize_t got = read(master_, buffer, sizeof buffer);
    if (got > 0) {
      lastByte_ = SteadyClock::now();
      bytes += static_cast<std::size_t>(got);
      scanModes({buffer, static_cast<std::size_t>(got)});
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    if (got < 0 && errno == EAGAIN) return true;
    hungUp_ = true;  // EIO: the program has closed the terminal
    return false;
  }
}

Burst PtyChild::readUntilQuiet(SteadyClock::time_point since, std::chrono::milliseconds quiet,
                               std::chrono::milliseconds limit) {
  Burst burst;
  const SteadyClock::time_point deadline = since + limit;
  for (;;) {
    // Before the first byte the program may take its time; after it the
    // burst ends with the first pause of `quiet`.
    const SteadyClock::time_point until =
        burst.bytes == 0 ? deadline : std::min(deadline, lastByte_ + quiet);
    const std::size_t before = burst.bytes;
    if (!pump(msLeft(until), burst.bytes)) break;
    if (burst.bytes == before && SteadyClock::now() >= until) {
      burst.quiet = burst.bytes == 0 || until < deadline;
      break;
    }
  }
  if (burst.bytes > 0) burst.msToLastByte = msBetween(since, lastByte_);
  return burst;
}

std::size_t PtyChild::readFor(std::chrono::milliseconds period) {
  std::size_t bytes = 0;
  const SteadyClock::time_point deadline = SteadyClock::now() + period;
  while (msLeft(deadline) > 0) {
    if (!pump(msLeft(deadline), bytes)) break;
  }
  return bytes;
}

void PtyChild::send(std::string_view bytes) {
  while (!bytes.empty() && !hungUp_) {
    const ssize_t put = write(master_, bytes.data(), bytes.size());
    if (put > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(put));
    } else if (put < 0 && errno == EAGAIN) {
      pollfd fd{master_, POLLOUT, 0};
      poll(&fd, 1, 1000);
    } else if (!(put < 0 && errno == EINTR)) {
      return;
    }
  }
}

std::string_view PtyChild::keyBytes(CursorKey key) const {
  if (applicationCursor_) return key == CursorKey::Up ? "\x1bOA" : "\x1bOB";
  return key == CursorKey::Up ? "\x1b[A" : "\x1b[B";
}

void PtyChild::scanModes(std::string_view bytes) {
  for (const char c : bytes) {
    switch (scan_) {
      case Scan::Ground:
        if (c == '\x1b') scan_ = Scan::Escape;
        break;
      case Scan::Escape:
        scan_ = c == '[' ? Scan::CsiStart : c == '\x1b' ? Scan::Escape : Scan::Ground;
        break;
      case Scan::CsiStart:
        params_.clear();
        scan_ = c == '?' ? Scan::PrivateParams : Scan::OtherCsi;
        if (scan_ == Scan::OtherCsi && c >= 0x40 && c <= 0x7e) scan_ = Scan::Ground;
        break;
      case Scan::PrivateParams:
        if ((c >= '0' && c <= '9') || c == ';') {
          params_ += c;
          break;
        }
        if (c == 'h' || c == 'l') {
          std::istringstream list(params_);
          std::string number;
          while (std::getline(list, number, ';')) {
            if (number == "1") applicationCursor_ = c == 'h';
          }
        }
        scan_ = c == '\x1b' ? Scan::Escape : Scan::Ground;
        break;
      case Scan::OtherCsi:
        if (c >= 0x40 && c <= 0x7e) scan_ = Scan::Ground;
        if (c == '\x1b') scan_ = Scan::Escape;
        break;
    }
  }
}

std::string PtyChild::procFile(const std::string& name) const {
  return readWhole("/proc/" + std::to_string(pid_) + "/" + name);
}

std::optional<std::uint64_t> PtyChild::cpuTicks() const {
  const std::string stat = procFile("stat");
  // The command name in parentheses may hold blanks: count fields after it.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  std::uint64_t ticks = 0;
  // Fields 3 (state) onwards; utime and stime are fields 14 and 15.
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number >= 14) ticks += std::stoull(field);
  }
  return ticks;
}

std::optional<std::uint64_t> PtyChild::cpuNanoseconds() const {
  const std::string tasks = "/proc/" + std::to_string(pid_) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::uint64_t> total;
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::istringstream schedstat(readWhole(tasks + "/" + entry->d_name + "/schedstat"));
    std::uint64_t ns = 0;
    if (schedstat >> ns) total = total.value_or(0) + ns;
  }
  closedir(dir);
  return total;
}

std::optional<std::uint64_t> PtyChild::contextSwitches() const {
  const std::string status = procFile("status");
  const auto voluntary = statusField(status, "voluntary_ctxt_switches");
  const auto involuntary = statusField(status, "nonvoluntary_ctxt_switches");
  if (!voluntary || !involuntary) return std::nullopt;
  return *voluntary + *involuntary;
}

std::optional<long> PtyChild::peakRssKib() const {
  const auto kib = statusField(procFile("status"), "VmHWM");
  if (!kib) return std::nullopt;
  return static_cast<long>(*kib);
}

ChildEnd PtyChild::end(std::string_view quit, std::chrono::milliseconds patience) {
  ChildEnd result;
  if (pid_ <= 0 || reaped_) return result;
  send(quit);
  const SteadyClock::time_point deadline = SteadyClock::now() + patience;
  bool ended = false;
  std::size_t ignored = 0;
  while (!ended && msLeft(deadline) > 0) {
    // Its last output is taken in so that it never blocks writing it.
    pollfd fds[2] = {{pidfd_, POLLIN, 0}, {master_, POLLIN, 0}};
    const nfds_t count = hungUp_ ? 1 : 2;
    if (poll(fds, count, msLeft(deadline)) > 0) {
      if (fds[0].revents & POLLIN) ended = true;
      if (count == 2 && fds[1].revents != 0) pump(0, ignored);
    }
  }
  result.byItself = ended;
  if (!ended) {
    kill(pid_, SIGTERM);
    pollfd fd{pidfd_, POLLIN, 0};
    if (poll(&fd, 1, 1000) <= 0) kill(pid_, SIGKILL);
  }
  while (wait4(pid_, &result.status, 0, &result.usage) < 0 && errno == EINTR) {
  }
  reaped_ = true;
  return result;
}

}  // namespace menue::bench
