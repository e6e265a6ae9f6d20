// Refusing a typed text: the message, shown as its characters, and the
// pause to read it.
#include "session/text_refusal.h"

#include <cstdio>

#include "platform/utf8.h"
#include "session/pause.h"
#include "session/program.h"

namespace menue {

std::string characterCode(char32_t character) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  return code;
}

std::string namedCharacter(char32_t character) {
  std::string text = "Zeichen \"";
  appendUtf8(text, character);
  return text + "\" (" + characterCode(character) + ")";
}

Next refuseTypedText(Program& program, std::string_view message) {
  program.screen.endLine();
  program.screen.writeCharacters(message);
  program.screen.endLine();
  pause(program);
  // The message goes with the pause: it may have wrapped onto the prompt's
  // row, which the next pass writes over from its third column only.
  program.screen.clearScreen();
  return Next::Done;
}

}  // namespace menue
