// Passes of the command loop on the real file system (the POSIX backend's
// files under the virtual console): a cursor key and paging by how many
// other files the directory holds, and a cursor key by the MenuFile's size.
// The directories are made once under /tmp and removed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>

#include "bench/bench_menus.h"
#include "interactive/command_loop.h"
#include "platform/posix/files/path_rules.h"
#include "platform/posix/files/posix_files.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"
#include "session/startup.h"

namespace menue::bench {

namespace {

namespace fs = std::filesystem;

const std::string SampleMenu = menuFileText(SampleHeader, sampleItems());

void writeFile(const fs::path& path, const std::string& text, std::uintmax_t size = 0) {
  std::ofstream(path, std::ios::binary) << text;
  // Beyond the text the file is a hole: it reads as zero bytes and costs no disk.
  if (size > text.size()) fs::resize_file(path, size);
}

// The scratch directories, made on first use; the kept listing of a
// directory is used only once it has stood unchanged for two seconds, so
// the first benchmark waits that long once for all of them.
class Directories {
 public:
  static Directories& get() {
    static Directories directories;
    return directories;
  }
  ~Directories() { fs::remove_all(root_); }

  // N other files beside a MenuSet of "-menue-" and `numbered`.
  const std::string& withFiles(int files, const std::string& numbered) {
    return directory("files" + std::to_string(files) + numbered, [&](const fs::path& dir) {
      writeFile(dir / "-menue-", SampleMenu);
      writeFile(dir / numbered, SampleMenu);
      for (int i = 0; i < files; ++i) {
        const std::string name = (dir / ("other-" + std::to_string(i) + ".txt")).string();
        close(open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
      }
    });
  }
  // "-menue-" alone, `size` bytes long.
  const std::string& withMenuOf(std::uintmax_t size) {
    return directory("size" + std::to_string(size),
                     [&](const fs::path& dir) { writeFile(dir / "-menue-", SampleMenu, size); });
  }

 private:
  Directories() {
    char pattern[] = "/tmp/menue-fs-bench-XXXXXX";
    root_ = mkdtemp(pattern) ? pattern : "";
    // Every directory first, then one wait for all of them.
    for (int files : {0, 10'000, 100'000}) {
      withFiles(files, "-menue02-");
      withFiles(files, "-menue99-");
    }
    for (std::uintmax_t size : {1ULL << 10, 1ULL << 20, 10ULL << 20, 200ULL << 20}) {
      withMenuOf(size);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2200));
  }

  template <typename Fill>
  const std::string& directory(const std::string& name, Fill fill) {
    auto it = made_.find(name);
    if (it != made_.end()) return it->second;
    const fs::path dir = fs::path(root_) / name;
    fs::create_directory(dir);
    fill(dir);
    return made_[name] = dir.string();
  }

  std::string root_;
  std::map<std::string, std::string> made_;
};

InputRecord keyRecord(std::uint16_t virtualKey, std::uint16_t scanCode, char character) {
  InputRecord record;
  record.kind = RecordKind::Key;
  record.key = {true, virtualKey, scanCode, static_cast<std::uint8_t>(character), 0};
  return record;
}

// The program started in `directory` on the POSIX files; every wait gets `key`.
struct NativeRun {
  NativeRun(const std::string& directory, InputRecord key) {
    if (chdir(directory.c_str()) != 0) std::abort();
    virt.environment.values = {"TMP=" + directory};
    virt.console.onIdle = [this, key] {
      virt.console.push(key);
      return true;
    };
    if (startUp(program) != Next::Continue) std::abort();
  }
  // One pass: the loop head reads and draws the menu, the prompt, the wait
  // and the key's handling.
  void pass() {
    benchmark::DoNotOptimize(onePass(program, false));
    benchmark::DoNotOptimize(virt.console.takeWritten());
  }

  VirtualPlatform virt;
  PosixFiles files;
  Platform platform{virt.console,     files,      virt.processes,
                    virt.environment, virt.clock, currentPosixPathRules()};
  Program program{platform};
};

const InputRecord Down = keyRecord(0x28, scan::Down, 0);
const InputRecord Blank = keyRecord(0x20, scan::Space, ' ');

void cursorKey(benchmark::State& state) {
  NativeRun run(Directories::get().withFiles(static_cast<int>(state.range(0)), "-menue02-"), Down);
  for (auto _ : state) run.pass();
}
BENCHMARK(cursorKey)->Name("CursorKeyPass")->ArgName("files")->Arg(0)->Arg(10'000)->Arg(100'000);

// Blank pages through the set "-menue-", `numbered`: one press is a step
// forward, the next the wrap round to "-menue-".
void pagingRound(benchmark::State& state, const char* numbered) {
  NativeRun run(Directories::get().withFiles(static_cast<int>(state.range(0)), numbered), Blank);
  for (auto _ : state) {
    run.pass();
    run.pass();
  }
  state.SetItemsProcessed(2 * static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK_CAPTURE(pagingRound, set2, "-menue02-")
    ->Name("BlankRoundTwoMenus")
    ->ArgName("files")
    ->Arg(0)
    ->Arg(10'000)
    ->Arg(100'000);
BENCHMARK_CAPTURE(pagingRound, set99, "-menue99-")
    ->Name("BlankRoundTo99")
    ->ArgName("files")
    ->Arg(0)
    ->Arg(10'000)
    ->Arg(100'000);

void cursorKeyBySize(benchmark::State& state) {
  NativeRun run(Directories::get().withMenuOf(static_cast<std::uintmax_t>(state.range(0))), Down);
  for (auto _ : state) run.pass();
}
BENCHMARK(cursorKeyBySize)
    ->Name("CursorKeyPass")
    ->ArgName("menufile_bytes")
    ->Arg(1 << 10)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Arg(200 << 20);

}  // namespace

}  // namespace menue::bench
