// The program under a pseudo-terminal: start, timed reads, keys, /proc
// figures and the end.
#include "bench/pty_child.h"

#include <dirent.h>
#include <signal.h>

#include <climits>
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

// The harness's start options for a child of the benchmark: its output
// stays on the terminal, which hangs up when it ends.
pty::StartOptions startOptionsOf(const ChildOptions& options) {
  pty::StartOptions start;
  start.argv = options.argv;
  start.directory = options.directory;
  start.environment = options.environment;
  start.rows = options.rows;
  start.columns = options.columns;
  return start;
}

}  // namespace

PtyChild::PtyChild(const ChildOptions& options)
    : process_(startOptionsOf(options)), lastByte_(process_.startedAt()) {}

bool PtyChild::pump(int timeoutMs, std::size_t& bytes) {
  if (process_.hungUp()) return false;
  if (!process_.wait(timeoutMs, pty::WaitFor::Output).output) return true;
  return process_.readAvailable([&](std::string_view chunk) {
    lastByte_ = SteadyClock::now();
    bytes += chunk.size();
    scanModes(chunk);
  });
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
  process_.write(bytes);
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
  return readWhole("/proc/" + std::to_string(process_.pid()) + "/" + name);
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
  const std::string tasks = "/proc/" + std::to_string(process_.pid()) + "/task";
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
  if (!process_.running()) return result;
  send(quit);
  const SteadyClock::time_point deadline = SteadyClock::now() + patience;
  bool ended = false;
  std::size_t ignored = 0;
  while (!ended && msLeft(deadline) > 0) {
    // Its last output is taken in so that it never blocks writing it.
    const pty::Ready ready = process_.wait(msLeft(deadline), pty::WaitFor::Either);
    ended = ready.ended;
    if (ready.output) pump(0, ignored);
  }
  result.byItself = ended;
  if (!ended) {
    process_.signal(SIGTERM);
    if (!process_.wait(1000, pty::WaitFor::End).ended) process_.signal(SIGKILL);
  }
  process_.reap(true);
  result.usage = process_.usage();
  return result;
}

}  // namespace menue::bench
