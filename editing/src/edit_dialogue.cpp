// Pieces the edit commands share: the status question, reading command
// lines, the position written after the command word, and the common exit.
#include "editing/edit_dialogue.h"

#include "menufile/number_reader.h"
#include "session/program.h"

namespace menue {

namespace {

constexpr std::size_t PositionLength = 3;

}  // namespace

char askStatus(Program& program) {
  program.screen.printText(" Status : 1 =  Men\xFC wartet bis Programm beendet wird.");
  program.screen.printText("          2 =  Men\xFC macht weiter nach Programmstart.");
  program.screen.printText("          3 =  Men\xFC beendet sich nach Programmaufruf.");
  program.screen.printText(" Eingabe >_");
  program.input.flushInput();
  const Key key = program.input.waitForInput().key;
  program.input.flushInput();
  const char32_t c = key.character();
  return c == U'1' || c == U'2' || c == U'3' ? static_cast<char>(c) : '1';
}

std::string readCommandLines(Program& program, std::string_view prompt) {
  std::string lines;
  for (;;) {
    program.screen.writeText(prompt);
    const std::string line = program.input.readLine();
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

Next finishEdit(Program& program, Next dialogue) {
  if (dialogue != Next::Continue) return dialogue;
  program.screen.clearScreen();
  return Next::Done;
}

}  // namespace menue
