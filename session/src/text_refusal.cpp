// Refusing a typed text: the message, shown in the console's letters, and
// the pause to read it.
#include "session/text_refusal.h"

#include <cstdio>

#include "platform/system_text.h"
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
  program.screen.writeText(consoleTextOf(message));
  program.screen.endLine();
  pause(program);
  return Next::Done;
}

}  // namespace menue
