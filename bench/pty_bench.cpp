// The terminal comparison: menue, dialog --menu and whiptail --menu on the
// same five items under a pseudo-terminal (80x25 unless told), each
// measured the same way, printed as Markdown tables; the system calls per
// key of each (under strace); menue in a directory of 100,000 files and
// with huge MenuFiles; menue with one menu in ASCII, code page 850 and wide
// text. Figures only; nothing is judged.
//
// Usage: menue_pty_bench MENUE_BINARY [--idle-seconds N] [--rounds N] [--starts N]
//          [--size COLUMNSxROWS] [--startup-only | --syscalls | --scale | --texts]
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_menus.h"
#include "bench/pty_child.h"
#include "bench/syscall_trace.h"

namespace menue::bench {

namespace {

using std::chrono::milliseconds;

constexpr milliseconds Quiet{100};
constexpr milliseconds StartLimit{5000};
constexpr milliseconds KeyLimit{2000};
constexpr milliseconds QuitPatience{3000};
// Moves per direction in one round: item 1 down to item 5 and back, so that
// every key moves the highlight in every program (dialog and whiptail stop
// at the ends, menue wraps round).
constexpr int MovesPerRound = 4;

struct Contender {
  std::string name;
  std::vector<std::string> argv;
  // menue starts with no item highlighted: its first cursor-down highlights
  // item 1 (one row changes, not two) and is not counted.
  int warmUpDowns = 0;
};

struct Figures {
  std::string name;
  std::string error;
  std::size_t startupBytes = 0;
  double firstScreenMs = 0;
  bool startupQuiet = true;
  double bytesPerDown = 0;
  double bytesPerUp = 0;
  double msKeyToQuiet = 0;
  bool keysQuiet = true;
  std::string keyForm;
  std::optional<long> peakRssKib;
  long ruMaxRssKib = 0;
  std::optional<double> idleCpuPercent;  // from clock ticks
  std::optional<double> idleCpuUs;       // from the scheduler's run time
  std::optional<std::uint64_t> idleWakeups;
  std::optional<double> cpuUsPerKey;  // the scheduler's run time over the counted keys
  std::size_t idleBytes = 0;
  bool endedByItself = false;
};

std::optional<std::string> findInPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t from = 0;
  while (from <= dirs.size()) {
    std::size_t to = dirs.find(':', from);
    if (to == std::string::npos) to = dirs.size();
    const std::string candidate = dirs.substr(from, to - from) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    from = to + 1;
  }
  return std::nullopt;
}

// dialog and whiptail take the same arguments: text, height, width, list
// height, then tag and item pairs.
std::vector<std::string> peerArguments(const std::string& binary) {
  std::vector<std::string> argv{binary, "--menu", std::string(SampleHeader), "15", "40", "5"};
  int tag = 1;
  for (const BenchItem& item : sampleItems()) {
    argv.push_back(std::to_string(tag++));
    argv.push_back(item.text);
  }
  return argv;
}

template <typename T>
std::optional<T> difference(std::optional<T> before, std::optional<T> after) {
  if (!before || !after) return std::nullopt;
  return *after - *before;
}

struct Settings {
  int idleSeconds = 5;
  int rounds = 5;
  // Starts whose first-screen times give the median (the first start of a
  // freshly built binary often pays for a cold page cache).
  int starts = 5;
  int columns = 80;
  int rows = 25;
  // The first screen alone: no idle time, no keys.
  bool startupOnly = false;
};

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

Figures measure(const Contender& contender, const std::string& directory,
                const Settings& settings) {
  const int idleSeconds = settings.idleSeconds;
  const int rounds = settings.rounds;
  Figures figures;
  figures.name = contender.name;
  ChildOptions options;
  options.argv = contender.argv;
  options.directory = directory;
  options.environment = {"TERM=xterm", "LANG=C.UTF-8", "HOME=" + directory,
                         "PATH=/usr/local/bin:/usr/bin:/bin", "TMP=" + directory};
  options.columns = settings.columns;
  options.rows = settings.rows;
  std::vector<double> firstScreens;
  for (int i = 1; i < settings.starts; ++i) {
    PtyChild probe(options);  // its destructor kills it
    if (!probe.error().empty()) break;
    const Burst shown = probe.readUntilQuiet(probe.started(), Quiet, StartLimit);
    if (shown.bytes > 0) firstScreens.push_back(shown.msToLastByte);
  }

  PtyChild child(options);
  if (!child.error().empty()) {
    figures.error = child.error();
    return figures;
  }

  const Burst startup = child.readUntilQuiet(child.started(), Quiet, StartLimit);
  figures.startupBytes = startup.bytes;
  firstScreens.push_back(startup.msToLastByte);
  figures.firstScreenMs = median(firstScreens);
  figures.startupQuiet = startup.quiet;
  if (startup.bytes == 0 || settings.startupOnly) {
    if (startup.bytes == 0) figures.error = "no output at start-up";
    child.end("\x1b", QuitPatience);
    return figures;
  }

  const auto ticks = child.cpuTicks();
  const auto ns = child.cpuNanoseconds();
  const auto switches = child.contextSwitches();
  figures.idleBytes = child.readFor(std::chrono::seconds(idleSeconds));
  if (const auto used = difference(ticks, child.cpuTicks())) {
    figures.idleCpuPercent = 100.0 * static_cast<double>(*used) /
                             static_cast<double>(sysconf(_SC_CLK_TCK)) / idleSeconds;
  }
  if (const auto used = difference(ns, child.cpuNanoseconds())) {
    figures.idleCpuUs = static_cast<double>(*used) / 1000.0;
  }
  figures.idleWakeups = difference(switches, child.contextSwitches());

  auto press = [&](CursorKey key) {
    const SteadyClock::time_point sent = SteadyClock::now();
    child.send(child.keyBytes(key));
    const Burst burst = child.readUntilQuiet(sent, Quiet, KeyLimit);
    if (!burst.quiet) figures.keysQuiet = false;
    return burst;
  };
  for (int i = 0; i < contender.warmUpDowns; ++i) press(CursorKey::Down);
  const auto keysStart = child.cpuNanoseconds();
  std::size_t downBytes = 0;
  std::size_t upBytes = 0;
  double keyMs = 0;
  for (int round = 0; round < rounds; ++round) {
    for (const CursorKey key : {CursorKey::Down, CursorKey::Up}) {
      for (int move = 0; move < MovesPerRound; ++move) {
        const Burst burst = press(key);
        (key == CursorKey::Down ? downBytes : upBytes) += burst.bytes;
        keyMs += burst.msToLastByte;
      }
    }
  }
  const double keysPerDirection = static_cast<double>(rounds * MovesPerRound);
  if (const auto used = difference(keysStart, child.cpuNanoseconds())) {
    figures.cpuUsPerKey = static_cast<double>(*used) / 1000.0 / (2 * keysPerDirection);
  }
  figures.bytesPerDown = static_cast<double>(downBytes) / keysPerDirection;
  figures.bytesPerUp = static_cast<double>(upBytes) / keysPerDirection;
  figures.msKeyToQuiet = keyMs / (2 * keysPerDirection);
  figures.keyForm = child.applicationCursor() ? "SS3" : "CSI";

  figures.peakRssKib = child.peakRssKib();
  const ChildEnd end = child.end("\x1b", QuitPatience);
  figures.endedByItself = end.byItself;
  figures.ruMaxRssKib = end.usage.ru_maxrss;
  return figures;
}

std::string format(const char* pattern, double value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

void printTables(const std::vector<Figures>& all, const Settings& settings) {
  const int idleSeconds = settings.idleSeconds;
  const int keysPerDirection = settings.rounds * MovesPerRound;
  std::printf(
      "| program | start-up bytes | first screen ms | bytes per down | bytes per up "
      "| ms key to quiet | peak RSS KiB | idle CPU %% over %d s |\n",
      idleSeconds);
  std::printf("|---|--:|--:|--:|--:|--:|--:|--:|\n");
  for (const Figures& f : all) {
    if (!f.error.empty()) {
      std::printf("| %s | %s | | | | | | |\n", f.name.c_str(), f.error.c_str());
      continue;
    }
    std::printf("| %s | %zu%s | %s | %s | %s | %s%s | %s | %s |\n", f.name.c_str(), f.startupBytes,
                f.startupQuiet ? "" : "*", format("%.1f", f.firstScreenMs).c_str(),
                format("%.1f", f.bytesPerDown).c_str(), format("%.1f", f.bytesPerUp).c_str(),
                format("%.1f", f.msKeyToQuiet).c_str(), f.keysQuiet ? "" : "*",
                f.peakRssKib ? std::to_string(*f.peakRssKib).c_str() : "?",
                f.idleCpuPercent ? format("%.1f", *f.idleCpuPercent).c_str() : "?");
  }
  std::printf(
      "\nDetails: keys form sent; idle run time from the scheduler (all threads) and "
      "context switches over %d s; bytes sent while idle; ru_maxrss from wait4 "
      "(may count pages the fork took over from the harness before exec); how the program "
      "ended.\n\n",
      idleSeconds);
  std::printf(
      "| program | keys sent as | idle run time µs | idle wakeups | idle bytes | ru_maxrss KiB "
      "| ended |\n");
  std::printf("|---|---|--:|--:|--:|--:|---|\n");
  for (const Figures& f : all) {
    if (!f.error.empty()) continue;
    std::printf("| %s | %s | %s | %s | %zu | %ld | %s |\n", f.name.c_str(), f.keyForm.c_str(),
                f.idleCpuUs ? format("%.0f", *f.idleCpuUs).c_str() : "?",
                f.idleWakeups ? std::to_string(*f.idleWakeups).c_str() : "?", f.idleBytes,
                f.ruMaxRssKib, f.endedByItself ? "on ESC" : "killed");
  }
  std::printf(
      "\nEach program: first screen the median of %d starts; %d cursor-down and %d cursor-up "
      "keys, averaged; a burst ends after %lld ms without output (* : cut off by the time "
      "limit).\n",
      settings.starts, keysPerDirection, keysPerDirection, static_cast<long long>(Quiet.count()));
}

std::string scratchDirectory() {
  char pattern[] = "/tmp/menue-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    std::perror("mkdtemp");
    return {};
  }
  return pattern;
}

// The sample "-menue-", `size` bytes long where that is more: a hole after
// the text, which reads as zero bytes.
void writeMenu(const std::string& directory, std::uintmax_t size) {
  const std::string path = directory + "/-menue-";
  std::ofstream(path, std::ios::binary) << menuFileText(SampleHeader, sampleItems());
  if (size > std::filesystem::file_size(path)) std::filesystem::resize_file(path, size);
}

void printStartups(const std::vector<Figures>& all, const Settings& settings) {
  std::printf("| program | first screen bytes at %dx%d | first screen ms |\n|---|--:|--:|\n",
              settings.columns, settings.rows);
  for (const Figures& f : all) {
    std::printf("| %s | %zu | %s |\n", f.name.c_str(), f.startupBytes,
                format("%.1f", f.firstScreenMs).c_str());
  }
}

// Each program under `strace -f`: its calls per cursor key, and the calls
// of one key of that size.
void printSyscalls(const std::vector<Contender>& contenders, const std::string& directory,
                   Settings settings) {
  const auto strace = findInPath("strace");
  if (!strace) {
    std::printf("strace is not installed (apt-get install strace): no system calls counted.\n");
    return;
  }
  settings.idleSeconds = 1;
  settings.rounds = 1;
  settings.starts = 1;
  std::printf("| program | system calls per cursor key | the calls of one key |\n|---|--:|---|\n");
  // The log lies elsewhere: a file growing in the menu's directory would change it.
  const std::string logs = scratchDirectory();
  const auto trace = [&](const Contender& contender, const std::string& in, const char* shown) {
    const std::string log = logs + "/strace.log";
    Contender traced = contender;
    traced.argv = {*strace, "-f", "-ttt", "-qq", "-o", log};
    traced.argv.insert(traced.argv.end(), contender.argv.begin(), contender.argv.end());
    measure(traced, in, settings);
    const std::optional<KeyCalls> calls = callsPerKey(log);
    std::filesystem::remove(log);
    std::string names;
    for (const std::string& name : calls ? calls->burst : std::vector<std::string>{}) {
      names += (names.empty() ? "" : ", ") + name;
    }
    std::printf("| %s | %s | %s |\n", shown, calls ? format("%.0f", calls->median).c_str() : "?",
                names.c_str());
  };
  // menue beside many other files too: what a key costs must not grow with them.
  const std::string crowded = scratchDirectory();
  writeMenu(crowded, 0);
  for (int i = 0; i < 10'000; ++i) std::ofstream(crowded + "/other-" + std::to_string(i) + ".txt");
  // An ordinary directory has stood unchanged for a while: its listing is kept.
  std::this_thread::sleep_for(std::chrono::milliseconds(2200));
  for (const Contender& contender : contenders) {
    trace(contender, directory, contender.name.c_str());
  }
  trace(contenders.front(), crowded, "menue beside 10,000 other files");
  std::filesystem::remove_all(crowded);
  std::filesystem::remove_all(logs);
}

// menue in a directory of many other files and with huge MenuFiles.
void printScale(const Contender& menue, Settings settings) {
  settings.idleSeconds = 1;
  settings.rounds = 2;
  settings.starts = 3;
  struct Case {
    const char* name;
    int otherFiles;
    std::uintmax_t menuBytes;
  };
  const Case cases[] = {{"empty directory", 0, 0},
                        {"100,000 other files", 100'000, 0},
                        {"MenuFile of 200 MB (sparse)", 0, 200ULL << 20},
                        {"MenuFile of 3 GB (sparse)", 0, 3ULL << 30}};
  std::printf(
      "| menue with | start-up bytes | first screen ms | bytes per down | ms key to quiet "
      "| peak RSS KiB |\n|---|--:|--:|--:|--:|--:|\n");
  for (const Case& c : cases) {
    const std::string directory = scratchDirectory();
    if (directory.empty()) return;
    writeMenu(directory, c.menuBytes);
    for (int i = 0; i < c.otherFiles; ++i) {
      std::ofstream(directory + "/other-" + std::to_string(i) + ".txt");
    }
    // A directory's listing is kept once it has stood unchanged for 2 s.
    std::this_thread::sleep_for(std::chrono::milliseconds(2200));
    const Figures f = measure(menue, directory, settings);
    std::filesystem::remove_all(directory);
    std::printf("| %s | %zu | %s | %s | %s | %s |\n", c.name, f.startupBytes,
                format("%.1f", f.firstScreenMs).c_str(), format("%.1f", f.bytesPerDown).c_str(),
                format("%.2f", f.msKeyToQuiet).c_str(),
                f.peakRssKib ? std::to_string(*f.peakRssKib).c_str() : "?");
  }
}

// menue with the same menu in each kind of text: what a key costs in bytes
// and in run time.
void printTexts(const Contender& menue, Settings settings) {
  settings.idleSeconds = 1;
  std::printf(
      "| menu text | start-up bytes | bytes per down | bytes per up | CPU µs per key "
      "| ms key to quiet |\n|---|--:|--:|--:|--:|--:|\n");
  for (const TextMenu& menu : textMenus()) {
    const std::string directory = scratchDirectory();
    if (directory.empty()) return;
    std::ofstream(directory + "/-menue-", std::ios::binary)
        << menuFileText(menu.header, menu.items);
    const Figures f = measure(menue, directory, settings);
    std::filesystem::remove_all(directory);
    if (!f.error.empty()) {
      std::printf("| %s | %s | | | | |\n", std::string(menu.name).c_str(), f.error.c_str());
      continue;
    }
    std::printf("| %s | %zu | %s | %s | %s | %s |\n", std::string(menu.name).c_str(),
                f.startupBytes, format("%.1f", f.bytesPerDown).c_str(),
                format("%.1f", f.bytesPerUp).c_str(),
                f.cpuUsPerKey ? format("%.0f", *f.cpuUsPerKey).c_str() : "?",
                format("%.2f", f.msKeyToQuiet).c_str());
  }
}

int run(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s MENUE_BINARY [--idle-seconds N] [--rounds N] [--starts N] "
                 "[--size COLUMNSxROWS] [--startup-only | --syscalls | --scale | --texts]\n",
                 argv[0]);
    return 2;
  }
  const std::string menue = std::filesystem::absolute(argv[1]).string();
  Settings settings;
  enum class Mode { Table, Syscalls, Scale, Texts } mode = Mode::Table;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--startup-only") settings.startupOnly = true;
    if (option == "--syscalls") mode = Mode::Syscalls;
    if (option == "--scale") mode = Mode::Scale;
    if (option == "--texts") mode = Mode::Texts;
    if (i + 1 >= argc) continue;
    const std::string value = argv[i + 1];
    if (option == "--size" &&
        std::sscanf(value.c_str(), "%dx%d", &settings.columns, &settings.rows) == 2) {
      ++i;
    }
    const int number = std::max(1, std::atoi(value.c_str()));
    if (option == "--idle-seconds") settings.idleSeconds = number;
    if (option == "--rounds") settings.rounds = number;
    if (option == "--starts") settings.starts = number;
  }

  const std::string directory = scratchDirectory();
  if (directory.empty()) return 1;
  writeMenu(directory, 0);

  std::vector<Contender> contenders{{"menue", {menue}, 1}};
  for (const char* peer : {"dialog", "whiptail"}) {
    if (const auto binary = findInPath(peer)) {
      contenders.push_back({std::string(peer) + " --menu", peerArguments(*binary), 0});
    } else {
      std::fprintf(stderr, "%s is not installed: left out\n", peer);
    }
  }
  if (mode == Mode::Syscalls) {
    printSyscalls(contenders, directory, settings);
  } else if (mode == Mode::Scale) {
    printScale(contenders.front(), settings);
  } else if (mode == Mode::Texts) {
    printTexts(contenders.front(), settings);
  }
  if (mode != Mode::Table) {
    std::filesystem::remove_all(directory);
    return 0;
  }
  std::vector<Figures> all;
  for (const Contender& contender : contenders) {
    std::fprintf(stderr, "measuring %s ...\n", contender.name.c_str());
    all.push_back(measure(contender, directory, settings));
  }
  std::filesystem::remove_all(directory);
  if (settings.startupOnly) {
    printStartups(all, settings);
  } else {
    printTables(all, settings);
  }
  return 0;
}

}  // namespace

}  // namespace menue::bench

int main(int argc, char** argv) {
  return menue::bench::run(argc, argv);
}
