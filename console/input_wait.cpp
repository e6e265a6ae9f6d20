// The blocking waits for input: one event at the prompt and in pauses, a
// typed line in the dialogues; and the highlight markers of the cursor keys.
#include <string>

#include "console/input.h"
#include "control/program_state.h"
#include "exec/error_handling.h"

namespace menue {

namespace {

constexpr char Escape = '\x1b';
constexpr char Enter = '\r';
constexpr std::size_t MaxLineLength = 10000;

// Takes the next record, blocking on the console until one is there.
InputRecord nextRecord(Program& program) {
  ConsoleDevice& console = program.platform.console;
  for (;;) {
    if (auto record = console.readInput()) return *record;
    console.present();
    console.waitInput();
  }
}

}  // namespace

void waitForInput(Program& program) {
  ProgramState& state = program.state;
  state.key.clear();
  program.screen.hideCursor();
  program.input.mouseOn = true;
  program.platform.console.setInputMode(inputmode::Mouse);
  for (;;) {
    InputEvent event = decodeRecord(nextRecord(program), program.input);
    state.key.clear();
    program.click = event.click;
    if (event.kind == InputEvent::Kind::Key) state.key = event.key;
    if (state.key.size() == 1 && state.key[0] == Escape) orderlyExit(program);
    if (program.click.kind == ClickDouble) {
      if (program.click.button == mouse::LeftButton) {
        state.key.assign(1, Enter);
        break;
      }
      if (program.click.button == mouse::RightButton) {
        state.key = std::string(1, Escape);
        orderlyExit(program);
      }
    }
    if (!state.key.empty() || program.click.kind > ClickNone) break;
  }
  program.screen.hideCursor();
}

void flushInput(Program& program) {
  program.platform.console.flushInput();
  program.click.kind = ClickNone;
}

std::string readLine(Program& program) {
  ConsoleScreen& screen = program.screen;
  bool wasHidden = !screen.cursorVisible();
  if (wasHidden) screen.showCursor();
  std::string line;
  for (;;) {
    InputEvent event = decodeRecord(nextRecord(program), program.input);
    if (event.kind != InputEvent::Kind::Key || event.key.size() != 1) continue;
    auto c = static_cast<unsigned char>(event.key[0]);
    if (c == 8) {
      if (!line.empty()) {
        screen.stepBack();
        screen.writeText(" ");
        screen.stepBack();
        line.pop_back();
      }
    } else if (c == 13) {
      screen.endLine();
      break;
    } else if (c >= 32 && line.size() < MaxLineLength) {
      line += static_cast<char>(c);
      screen.writeText(event.key);
    }
  }
  if (wasHidden) screen.hideCursor();
  return line;
}

void moveHighlight(Program& program, int direction) {
  ConsoleScreen& screen = program.screen;
  const MenuLayout& layout = program.layout;
  const ScreenColours& colours = program.state.colours;
  int& item = program.state.highlightedItem;
  int count = program.model.usableItems();
  int row = layout.itemBase + layout.itemSpacing * item;
  screen.moveTo(row, 1);
  screen.writeText(" ");
  screen.moveTo(row, 78);
  screen.writeText(" ");
  item += direction;
  if (item < 1) item = count;
  if (item > count) item = 1;
  row = layout.itemBase + layout.itemSpacing * item;
  // The markers take the highlight colour on the blue screen, not the
  // highlight background, so they do not stand out as a bar.
  screen.setColours(colours.highlightForeground, colours.normalBackground);
  screen.moveTo(row, 1);
  screen.writeText(">");
  screen.moveTo(row, 78);
  screen.writeText("<");
  screen.setColours(colours.normalForeground, colours.normalBackground);
}

}  // namespace menue
