// Builds the colour and cursor sequences of the terminal output.
#include "platform/posix/output/vt_sequences.h"

namespace menue::vt {

namespace {

void appendNumber(std::string& out, int value) {
  out += std::to_string(value);
}

}  // namespace

int ansiColour(int consoleColour) {
  // Console colours order their bits blue, green, red; ANSI orders them red,
  // green, blue.
  return ((consoleColour & 1) << 2) | (consoleColour & 2) | ((consoleColour & 4) >> 2);
}

void appendSgr(std::string& out, Attribute attr) {
  const int foreground = attr & 0x0F;
  const int background = (attr >> 4) & 0x0F;
  out += "\x1b[";
  appendNumber(out, ((foreground & 8) ? 90 : 30) + ansiColour(foreground));
  out += ';';
  appendNumber(out, ((background & 8) ? 100 : 40) + ansiColour(background));
  out += 'm';
}

void appendCursorPosition(std::string& out, CellPos pos) {
  out += "\x1b[";
  appendNumber(out, pos.row + 1);
  out += ';';
  appendNumber(out, pos.column + 1);
  out += 'H';
}

}  // namespace menue::vt
