// Pieces the edit commands share: the status question, reading command
// lines, the position written after the command word, and the common exit.
#include "menufile/edit_dialogue.h"

#include "console/input.h"
#include "control/program_state.h"
#include "menufile/menu_edit.h"
#include "menufile/menu_text.h"

namespace menue {

namespace {

constexpr std::size_t PositionLength = 3;

}  // namespace

char askStatus(Program& program) {
  program.screen.printText(" Status : 1 =  Men\xFC wartet bis Programm beendet wird.");
  program.screen.printText("          2 =  Men\xFC macht weiter nach Programmstart.");
  program.screen.printText("          3 =  Men\xFC beendet sich nach Programmaufruf.");
  program.screen.printText(" Eingabe >_");
  flushInput(program);
  waitForInput(program);
  const std::string key = program.state.key;
  program.state.key.clear();
  flushInput(program);
  if (key == "1" || key == "2" || key == "3") return key[0];
  return '1';
}

std::string readCommandLines(Program& program, std::string_view prompt) {
  std::string lines;
  for (;;) {
    program.screen.writeText(prompt);
    const std::string line = readLine(program);
    if (line.empty()) return lines;
    lines += line;
    lines += CrLf;
  }
}

bool positionInCommand(const std::string& commandText, long& position) {
  if (commandText.size() <= CommandWordLength) return false;
  position =
      readWholeNumber(std::string_view(commandText).substr(CommandWordLength, PositionLength));
  return true;
}

void finishEdit(Program& program) {
  program.state.key.clear();
  program.screen.clearScreen();
}

}  // namespace menue
