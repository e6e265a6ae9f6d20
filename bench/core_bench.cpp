// The core in process: one pass of the command loop on the virtual console,
// the loader alone, and the menu screen through the POSIX VT mirror with the
// bytes it would send to the terminal as counters.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_menus.h"
#include "interactive/command_loop.h"
#include "menufile/menu_parse.h"
#include "platform/posix/output/vt_mirror.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"

namespace menue::bench {

namespace {

// An in-memory start directory holding one MenuFile: of `items` numbered
// items, or the given text.
struct Scratch {
  explicit Scratch(int items) : Scratch(menuFileText("Werkzeuge", numberedItems(items))) {}
  explicit Scratch(const std::string& menuText) {
    virt.files.makeDirectory("C:\\work");
    virt.files.makeDirectory("C:\\TEMP");
    virt.files.changeDirectory("C:\\work");
    virt.environment.values = {"TMP=C:\\TEMP"};
    virt.files.putFile("C:\\work\\-menue-", menuText);
  }
  VirtualPlatform virt;
};

// Start-up, then the loop up to its first wait for input. False when the
// program ended instead of waiting.
bool firstPass(Program& program) {
  try {
    runProgram(program);
  } catch (const ScriptExhausted&) {
    return true;
  }
  return false;
}

// One more pass of the running loop: reload, redraw, prompt, wait.
void nextPass(Program& program) {
  try {
    // Where the loop would go on is not what is measured.
    static_cast<void>(onePass(program, false));
  } catch (const ScriptExhausted&) {
  }
}

bool showsItem(const VirtualConsole& console, int item) {
  const std::string text = "Eintrag " + std::to_string(item);
  for (int row = 0; row < console.height(); ++row) {
    if (console.rowText(row).find(text) != std::string::npos) return true;
  }
  return false;
}

void onePass(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  Scratch scratch(items);
  Program program(scratch.virt.platform());
  if (!firstPass(program) || !showsItem(scratch.virt.console, items)) {
    state.SkipWithError("the first pass did not show the menu");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(firstPass(program));
    // The virtual console keeps every written byte for the tests.
    benchmark::DoNotOptimize(scratch.virt.console.takeWritten());
  }
}
BENCHMARK(onePass)->Name("OnePass")->ArgName("items")->Arg(1)->Arg(9)->Arg(18);

void loader(benchmark::State& state) {
  const int items = static_cast<int>(state.range(0));
  const std::string text = menuFileText("Werkzeuge", numberedItems(items));
  MenuModel model;
  if (parseMenuText(model, text) != ParseResult::Loaded || model.itemCount != items) {
    state.SkipWithError("the MenuFile did not parse");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(parseMenuText(model, text));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(loader)->Name("ParseMenuText")->ArgName("items")->Arg(1)->Arg(9)->Arg(18);

// The 18-item menu drawn into the virtual console's screen buffer (the one
// the POSIX backend keeps too), and the mirror that turns the buffer into
// terminal bytes.
struct MirrorSetup {
  MirrorSetup() = default;
  explicit MirrorSetup(const std::string& menuText) : scratch(menuText) {}
  Scratch scratch{18};
  Program program{scratch.virt.platform()};
  VtMirror mirror;
  std::string out;

  // One more pass of the running loop; the written bytes kept for the tests
  // are dropped, as in OnePass.
  void pass() {
    nextPass(program);
    benchmark::DoNotOptimize(scratch.virt.console.takeWritten());
  }

  std::size_t render() {
    out.clear();
    mirror.render(scratch.virt.console.screen(), out);
    return out.size();
  }
};

void report(benchmark::State& state, const char* name, std::size_t totalBytes) {
  state.counters[name] =
      benchmark::Counter(static_cast<double>(totalBytes), benchmark::Counter::kAvgIterations);
}

void fullRepaint(benchmark::State& state) {
  MirrorSetup setup;
  if (!firstPass(setup.program)) {
    state.SkipWithError("the first pass did not wait");
    return;
  }
  std::size_t total = 0;
  for (auto _ : state) {
    setup.mirror.repaintAll();
    total += setup.render();
  }
  report(state, "bytes", total);
}
BENCHMARK(fullRepaint)->Name("MirrorFullRepaint/items:18");

// The loop redraws the same menu (every cell written again, nothing changed)
// and the mirror brings the terminal up to date.
void unchangedRepaint(benchmark::State& state) {
  MirrorSetup setup;
  if (!firstPass(setup.program)) {
    state.SkipWithError("the first pass did not wait");
    return;
  }
  setup.render();
  std::size_t total = 0;
  for (auto _ : state) {
    setup.pass();
    total += setup.render();
  }
  report(state, "bytes", total);
}
BENCHMARK(unchangedRepaint)->Name("MirrorUnchangedRepaint/items:18");

// The highlight moves between items 1 and 2, as after a cursor key, and the
// loop redraws; the mirror sends the difference.
void measureHighlightMoves(benchmark::State& state, MirrorSetup& setup) {
  if (!firstPass(setup.program)) {
    state.SkipWithError("the first pass did not wait");
    return;
  }
  setup.program.state.highlightedItem = 1;
  setup.pass();
  setup.render();
  std::size_t total = 0;
  for (auto _ : state) {
    setup.program.state.highlightedItem = 3 - setup.program.state.highlightedItem;
    setup.pass();
    total += setup.render();
  }
  report(state, "bytes", total);
}

void highlightMove(benchmark::State& state) {
  MirrorSetup setup;
  measureHighlightMoves(state, setup);
}
BENCHMARK(highlightMove)->Name("MirrorHighlightMove/items:18");

// The same move in one menu of five items written in each kind of text
// (ASCII, code page 850, wide UTF-8), every item as many columns wide.
void highlightMoveInText(benchmark::State& state) {
  const TextMenu menu = textMenus().at(static_cast<std::size_t>(state.range(0)));
  state.SetLabel(std::string(menu.name));
  MirrorSetup setup(menuFileText(menu.header, menu.items));
  measureHighlightMoves(state, setup);
}
BENCHMARK(highlightMoveInText)->Name("MirrorHighlightMoveText")->ArgName("text")->DenseRange(0, 2);

}  // namespace

}  // namespace menue::bench

BENCHMARK_MAIN();
