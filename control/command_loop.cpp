// The command loop: every pass loads and draws the menu of the current
// directory (unless a command is being typed), writes the prompt, waits for
// one event and acts on it. Continuations arrive as exceptions.
#include "control/command_loop.h"

#include <algorithm>
#include <utility>

#include "console/input.h"
#include "console/menu_screen.h"
#include "control/navigation.h"
#include "control/program_state.h"
#include "exec/error_handling.h"
#include "exec/run_item.h"
#include "menufile/menu_edit.h"
#include "menufile/menu_set.h"

namespace menue {

namespace {

constexpr int ScanUp = 72;
constexpr int ScanDown = 80;

void loopHead(Program& program) {
  ProgramState& state = program.state;
  armGeneralHandler(program);
  if (!state.inputLine.empty()) state.highlightedItem = 0;
  if (state.inputLine.size() >= 2 || state.menuReadFailures >= 2) return;
  // Counted before the read: a failure continues elsewhere (the handler).
  ++state.menuReadFailures;
  state.menuPresent = menuFileExists(program, state.currentMenuName);
  if (!state.menuPresent) adoptNumberedMenu(program);
  if (state.menuPresent) {
    loadMenu(program);
    drawMenuItems(program);
    drawMenuFrame(program);
  }
  state.menuReadFailures = 0;
}

void writePrompt(Program& program) {
  ProgramState& state = program.state;
  ConsoleScreen& screen = program.screen;
  screen.moveTo(24, 3);
  std::string directory = currentDirectory(program);
  screen.writeText(directory);
  if (!state.menuPresent && directory != state.startDrive + state.startPath) {
    screen.writeText(" (Home=cd!) ");
  }
  screen.writeText(">" + state.inputLine + "_ ");
}

std::string trimBlanks(const std::string& line) {
  auto first = line.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return line.substr(first, line.find_last_not_of(' ') - first + 1);
}

[[noreturn]] void handleEnter(Program& program) {
  ProgramState& state = program.state;
  if (state.highlightedItem > 0 && state.inputLine.empty()) {
    runMenuItem(program, state.highlightedItem);
  }
  state.inputLine = trimBlanks(state.inputLine);
  dispatchLine(program);
  throw NewPass{};
}

// The highlight from a click row; no range test, a half to the even item.
int itemAtRow(const MenuLayout& layout, int row) {
  if (layout.itemSpacing == 0) return 0;
  return static_cast<int>(
      roundHalfEven(static_cast<double>(row - layout.itemBase) / layout.itemSpacing));
}

[[noreturn]] void handleEvent(Program& program) {
  ProgramState& state = program.state;
  const ClickData& click = program.click;
  // Only typing keeps a menu that could not be read from being read again:
  // any other event tries once more.
  const int readFailures =
      std::exchange(state.menuReadFailures, std::min(state.menuReadFailures, 1));
  bool page = false;
  if (state.menuPresent && state.key == " " && state.inputLine.empty() &&
      numberedMenuExists(program)) {
    state.key.clear();
    page = true;
  }
  int scan = scanCodeOf(state.key);
  if (!page && scan >= 0) {
    if (state.menuPresent && scan == ScanDown) moveHighlight(program, +1);
    if (state.menuPresent && scan == ScanUp) moveHighlight(program, -1);
    state.key.clear();
    throw NewPass{};
  }
  bool mouseOnMenu = !page && state.key.empty() && state.menuPresent;
  if (mouseOnMenu && click.kind > ClickNone && click.row == program.layout.frameBottom + 1 &&
      numberedMenuExists(program)) {
    page = true;
  }
  if (page || mouseOnMenu) {
    if (page) nextMenu(program);
    if (state.highlightedItem != 0 && program.click.kind == ClickDouble) {
      runMenuItem(program, state.highlightedItem);
    }
    state.highlightedItem = itemAtRow(program.layout, program.click.row);
  }
  if (state.key == "\b") {
    if (!state.inputLine.empty()) {
      state.inputLine.pop_back();
      program.screen.moveTo(24, 3);
      program.screen.writeText(state.inputLine + " ");
      program.screen.moveTo(24, 3 + static_cast<int>(state.inputLine.size()));
      state.key.clear();
    }
    if (state.inputLine.empty()) throw PromptStep{};
  }
  if (state.key == "\r") {
    state.key.clear();
    handleEnter(program);
  }
  state.inputLine += state.key;
  if (!state.inputLine.empty()) state.menuReadFailures = readFailures;
  throw NewPass{};
}

[[noreturn]] void onePass(Program& program, bool atPrompt) {
  if (!atPrompt) loopHead(program);
  writePrompt(program);
  flushInput(program);
  waitForInput(program);
  handleEvent(program);
}

}  // namespace

namespace {

enum class Entry { Head, Prompt, AfterCommand };

[[noreturn]] void loopFrom(Program& program, Entry entry) {
  for (;;) {
    try {
      if (entry == Entry::AfterCommand) {
        entry = Entry::Head;
        afterCommandWait(program);
      }
      bool atPrompt = entry == Entry::Prompt;
      entry = Entry::Head;
      onePass(program, atPrompt);
    } catch (const NewPass&) {
      entry = Entry::Head;
    } catch (const PromptStep&) {
      entry = Entry::Prompt;
    } catch (const AfterCommandWait&) {
      entry = Entry::AfterCommand;
    }
  }
}

}  // namespace

void runCommandLoop(Program& program) {
  loopFrom(program, Entry::Head);
}

void runProgram(Program& program) {
  try {
    // A failure during start-up (the start directory cannot be read)
    // continues where the error table says, like any other.
    Entry entry = Entry::Head;
    try {
      startUp(program);
    } catch (const NewPass&) {
    } catch (const PromptStep&) {
      entry = Entry::Prompt;
    } catch (const AfterCommandWait&) {
      entry = Entry::AfterCommand;
    }
    loopFrom(program, entry);
  } catch (const ProgramEnd&) {
  }
}

}  // namespace menue
