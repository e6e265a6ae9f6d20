// A program under a pseudo-terminal, as the terminal comparison sees it: the
// bytes it sends, counted and timed in bursts that end when the screen is
// quiet; cursor keys sent in the form it asked for; the CPU time and memory
// it uses, read from /proc while it runs and from wait4 when it has ended.
// Every wait blocks in poll(2).
#pragma once

#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/pty/pty_process.h"

namespace menue::bench {

using SteadyClock = std::chrono::steady_clock;

struct ChildOptions {
  std::vector<std::string> argv;
  std::string directory;
  std::vector<std::string> environment;  // "NAME=value"
  int rows = 25;
  int columns = 80;
};

// Output that came in one go: its size, and when its last byte arrived.
struct Burst {
  std::size_t bytes = 0;
  double msToLastByte = 0;  // from the moment given to readUntilQuiet
  bool quiet = true;        // false when the limit cut the burst off
};

enum class CursorKey { Up, Down };

struct ChildEnd {
  bool byItself = false;  // ended on the quit keys, not by a signal from us
  rusage usage{};
};

class PtyChild {
 public:
  explicit PtyChild(const ChildOptions& options);

  // Empty when the program started.
  const std::string& error() const { return process_.error(); }
  // Just before the fork.
  SteadyClock::time_point started() const { return process_.startedAt(); }

  // Reads output until none has come for `quiet` after the first byte. Waits
  // up to `limit` (from `since`) for output at all.
  Burst readUntilQuiet(SteadyClock::time_point since, std::chrono::milliseconds quiet,
                       std::chrono::milliseconds limit);
  // Reads (and counts) whatever the program sends during `period`.
  std::size_t readFor(std::chrono::milliseconds period);

  void send(std::string_view bytes);
  // SS3 in application cursor mode (DECCKM, CSI ? 1 h), CSI otherwise.
  std::string_view keyBytes(CursorKey key) const;
  bool applicationCursor() const { return applicationCursor_; }

  // User plus system time of all its threads, in clock ticks (/proc/pid/stat).
  std::optional<std::uint64_t> cpuTicks() const;
  // The same in nanoseconds of run time, summed over its threads
  // (/proc/pid/task/*/schedstat): finer than a clock tick.
  std::optional<std::uint64_t> cpuNanoseconds() const;
  // Voluntary plus involuntary context switches: how often it woke up.
  std::optional<std::uint64_t> contextSwitches() const;
  // The high-water mark of its resident set (VmHWM), in KiB: unlike
  // ru_maxrss it does not include the pages of the harness's fork.
  std::optional<long> peakRssKib() const;

  // Sends `quit`, waits up to `patience` for the end, else ends it with
  // SIGTERM and, if need be, SIGKILL; then reaps it with wait4.
  ChildEnd end(std::string_view quit, std::chrono::milliseconds patience);

 private:
  // Waits up to `timeoutMs` for output; appends what came. False when no
  // output can come any more.
  bool pump(int timeoutMs, std::size_t& bytes);
  void scanModes(std::string_view bytes);
  std::string procFile(const std::string& name) const;

  pty::PtyProcess process_;  // killed and reaped with the object, unless it ended
  SteadyClock::time_point lastByte_;
  bool applicationCursor_ = false;
  // Where the mode scanner stands in a CSI ? ... h / l sequence, kept across
  // reads since a sequence may arrive split.
  enum class Scan { Ground, Escape, CsiStart, PrivateParams, OtherCsi } scan_ = Scan::Ground;
  std::string params_;
};

}  // namespace menue::bench
