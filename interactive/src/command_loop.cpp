// The command loop: every pass loads and draws the menu of the current
// directory (unless a command is being typed), writes the prompt, waits for
// one event and acts on it. Each step returns where the loop goes on.
#include "interactive/command_loop.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "console/screen_geometry.h"
#include "interactive/command_table.h"
#include "platform/text_width.h"
#include "platform/utf8.h"
#include "session/error_handling.h"
#include "session/menu_view.h"
#include "session/navigation.h"
#include "session/program.h"
#include "session/run_item.h"
#include "session/startup.h"
#include "session/text_case.h"

namespace menue {

namespace {

// Columns of row 24 kept for typing behind a long directory.
constexpr int TypingRoom = 20;
constexpr std::string_view HomeNote = " (Home=cd!) ";
constexpr std::string_view CutMark = "...";

// The directory as the prompt shows it in at most `room` columns: whole, or
// its tail behind the cut mark, so that a prompt never wraps past the
// bottom row and scrolls the menu away from the rows its clicks hit.
std::string promptDirectory(const std::string& directory, int room) {
  const int mark = static_cast<int>(CutMark.size());
  const int fits = std::max(room, 2 * mark);
  const int columns = textColumns(directory);
  if (columns <= fits) return directory;
  // Drop the shortest head that leaves the tail within the room beside the
  // mark; a wide character that straddles the cut goes whole.
  const int drop = columns - (fits - mark);
  std::size_t cut = prefixWithinColumns(directory, drop);
  if (textColumns(std::string_view(directory).substr(0, cut)) < drop) {
    cut += readUtf8(directory, cut).length;
  }
  return std::string(CutMark) + directory.substr(cut);
}

Next loopHead(Program& program) {
  ProgramState& state = program.state;
  if (!state.inputLine.empty()) state.highlightedItem = 0;
  if (state.inputLine.size() >= 2 || state.menuReadFailures >= 2) return Next::Continue;
  // Counted before the read: a failure goes on elsewhere.
  ++state.menuReadFailures;
  std::optional<PlainFileLook> look = program.menuSet.lookAt(state.currentMenuName);
  if (!look) {
    bool adopted = false;
    const Next next =
        handlePlatformResult(program, program.menuSet.adopt(state.currentMenuName, adopted));
    if (next != Next::Continue) return next;
    // The moved file keeps its owner and mode.
    if (adopted) look = program.menuSet.lookAt(state.currentMenuName);
  }
  state.menuPresent = look.has_value();
  state.menuTrust = look ? look->trust : FileTrust::Trusted;
  if (state.menuPresent) {
    if (const Next next = loadCurrentMenu(program, *look); next != Next::Continue) return next;
  }
  if (state.menuPresent) {
    if (const Next next = drawMenu(program); next != Next::Continue) return next;
  }
  state.menuReadFailures = 0;
  return Next::Continue;
}

Next writePrompt(Program& program) {
  const ProgramState& state = program.state;
  ConsoleScreen& screen = program.screen;
  screen.moveTo(PromptRow, PromptColumn);
  std::string directory;
  if (const Next next = currentDirectory(program, directory); next != Next::Continue) return next;
  const bool homeNote = !state.menuPresent && directory != state.startDrive + state.startPath;
  const int room = screen.width() - (PromptColumn - 1) - TypingRoom -
                   (homeNote ? static_cast<int>(HomeNote.size()) : 0);
  screen.writeCharacters(promptDirectory(directory, room));
  if (homeNote) screen.writeText(HomeNote);
  screen.writeText(">");
  screen.writeCharacters(state.inputLine);
  screen.writeText("_ ");
  return Next::Continue;
}

Next handleEnter(Program& program, const Click& click) {
  ProgramState& state = program.state;
  if (state.highlightedItem > 0 && state.inputLine.empty()) {
    return runMenuItem(program, state.highlightedItem, click);
  }
  state.inputLine = trimBlanks(state.inputLine);
  return dispatchLine(program);
}

// The next pass after an event that leaves the line being typed: a menu
// that could not be read is not read again while the line is not empty.
Next goOnTyping(ProgramState& state, int readFailures) {
  if (!state.inputLine.empty()) state.menuReadFailures = readFailures;
  return Next::NewPass;
}

// Backspace: the line one character shorter; on an empty line the prompt
// step. Backspace itself is never typed.
Next eraseLastCharacter(Program& program, int readFailures) {
  ProgramState& state = program.state;
  if (state.inputLine.empty()) return Next::PromptStep;
  const int before = textColumns(state.inputLine);
  dropLastUtf8Character(state.inputLine);
  // The line in the columns it takes, blanks over the character dropped
  // (two for a wide one).
  const auto dropped = static_cast<std::size_t>(std::max(before - textColumns(state.inputLine), 1));
  program.screen.moveTo(PromptRow, PromptColumn);
  program.screen.writeCharacters(state.inputLine + std::string(dropped, ' '));
  program.screen.moveTo(PromptRow, PromptColumn + textColumns(state.inputLine));
  if (state.inputLine.empty()) return Next::PromptStep;
  return goOnTyping(state, readFailures);
}

bool mayPage(Program& program) {
  return program.state.menuPresent && program.menuSet.anyNumbered();
}

// The blank on a menu with further menus pages to the next one. It was no
// click, so the highlight goes where a click on row 1 would put it: on no
// item.
Next pageByBlank(Program& program) {
  pageToNextMenu(program);
  program.state.highlightedItem = itemAtRow(program.layout, Click{}.row);
  return Next::NewPass;
}

Next handleKey(Program& program, Key key, const Click& click, int readFailures) {
  ProgramState& state = program.state;
  if (key == keys::Blank && state.inputLine.empty() && mayPage(program)) {
    return pageByBlank(program);
  }
  if (key.isExtended()) {
    if (state.menuPresent && (key == keys::Down || key == keys::Up)) {
      moveHighlight(program.screen, program.layout, state.colours, program.model.items(),
                    key == keys::Down ? +1 : -1, state.highlightedItem);
    }
    return Next::NewPass;
  }
  if (key == keys::Backspace) return eraseLastCharacter(program, readFailures);
  // A left double click arrives as Enter with its click.
  if (key == keys::Enter) return handleEnter(program, click);
  appendUtf8(state.inputLine, key.character());
  return goOnTyping(state, readFailures);
}

// A click on the menu: below the frame it pages; a double click that came
// without a key runs the highlighted item; any other highlights the item of
// its row (no range test: off the items gives none). Without a menu a click
// does nothing.
Next handleClick(Program& program, const Click& click, int readFailures) {
  ProgramState& state = program.state;
  if (state.menuPresent) {
    if (click.row == program.layout.frameBottom + 1 && mayPage(program)) pageToNextMenu(program);
    if (state.highlightedItem != 0 && click.kind == ClickKind::Double) {
      return runMenuItem(program, state.highlightedItem, click);
    }
    state.highlightedItem = itemAtRow(program.layout, click.row);
  }
  return goOnTyping(state, readFailures);
}

Next handleEvent(Program& program, const InputEvent& event) {
  ProgramState& state = program.state;
  // Only typing keeps a menu that could not be read from being read again:
  // any other event tries once more.
  const int readFailures =
      std::exchange(state.menuReadFailures, std::min(state.menuReadFailures, 1));
  if (event.key.none()) return handleClick(program, event.click, readFailures);
  return handleKey(program, event.key, event.click, readFailures);
}

// A paste is typed into the InputLine in one step, up to the line's limit.
// A line end in it never counts as Enter: the line runs when Enter is pressed.
Next typePaste(Program& program, const std::string& pasted) {
  ProgramState& state = program.state;
  if (state.inputLine.size() < Input::MaxLineLength) {
    state.inputLine +=
        pasted.substr(0, utf8CutWithin(pasted, Input::MaxLineLength - state.inputLine.size()));
  }
  // Typing keeps a menu that could not be read from being read again.
  if (state.inputLine.empty()) state.menuReadFailures = std::min(state.menuReadFailures, 1);
  return Next::NewPass;
}

// Goes on from where the last step said; Continue counts as a new pass.
Next step(Program& program, Next from) {
  switch (from) {
    case Next::Done:
      // The one end of every command: its line goes, the menu is read anew.
      program.state.inputLine.clear();
      return onePass(program, false);
    case Next::AfterCommandWait:
      return afterCommandWait(program);
    case Next::PromptStep:
      return onePass(program, true);
    default:
      return onePass(program, false);
  }
}

}  // namespace

Next onePass(Program& program, bool atPrompt) {
  program.state.passDirectory.reset();
  if (!atPrompt) {
    if (const Next next = loopHead(program); next != Next::Continue) return next;
  }
  if (const Next next = writePrompt(program); next != Next::Continue) return next;
  program.input.flushTypedAhead();
  const InputEvent event = program.input.waitForTyping();
  if (event.kind == InputEvent::Kind::Paste) return typePaste(program, event.paste);
  return handleEvent(program, event);
}

void runProgram(Program& program) {
  // A failure during start-up (the start directory cannot be read) goes on
  // where its handler says, like any other.
  Next next = startUp(program);
  while (next != Next::End) {
    try {
      next = step(program, next);
    } catch (const LeaveRequest&) {
      next = orderlyExit(program);
    }
  }
}

}  // namespace menue
