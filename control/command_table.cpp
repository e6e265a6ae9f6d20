// The command table: which action a typed line starts, tested row by row
// from the top; the first row that matches acts.
#include <string_view>

#include "console/help.h"
#include "control/command_loop.h"
#include "control/navigation.h"
#include "control/program_state.h"
#include "exec/error_handling.h"
#include "menufile/menu_edit.h"

namespace menue {

namespace {

// "Menü" with the OEM ü (0x81), upper-cased to Ü (0x9A).
constexpr std::string_view MenuWord = "MEN\x9A";

bool hasPrefix(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

[[noreturn]] void endCommand(Program& program) {
  program.state.inputLine.clear();
  throw NewPass{};
}

}  // namespace

std::string lowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string upperOem(const std::string& line) {
  std::string upper = line;
  for (char& c : upper) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') {
      c = static_cast<char>(byte - 'a' + 'A');
      continue;
    }
    switch (byte) {
      case 0x84:
        c = '\x8E';
        break;  // ä
      case 0x94:
        c = '\x99';
        break;  // ö
      case 0x81:
        c = '\x9A';
        break;  // ü
      case 0x82:
        c = '\x90';
        break;  // é
      case 0xA4:
        c = '\xA5';
        break;  // ñ
      case 0x86:
        c = '\x8F';
        break;  // å
      case 0x87:
        c = '\x80';
        break;  // ç
      default:
        break;
    }
  }
  return upper;
}

void dispatchLine(Program& program) {
  ProgramState& state = program.state;
  const std::string line = state.inputLine;
  const std::string upper = upperOem(line);
  const std::string lower = lowerAscii(line);
  const std::string word = std::string(MenuWord);

  if (upper == "VERSION") {
    showVersion(program);
    throw NewPass{};
  }
  if (hasPrefix(upper, word + "++")) {
    newMenu(program);
    endCommand(program);
  }
  if (state.menuPresent) {
    if (hasPrefix(upper, word + "+")) {
      addItem(program, upper);
      endCommand(program);
    }
    if (hasPrefix(upper, word + "*")) {
      swapItems(program, upper);
      endCommand(program);
    }
    if (hasPrefix(upper, word + "--")) {
      deleteMenu(program);
      program.screen.clearScreen();
      endCommand(program);
    }
    if (hasPrefix(upper, word + "-")) {
      removeItem(program, upper);
      endCommand(program);
    }
  }
  if (line == "?" || upper == "HILFE" || upper == "HELP") {
    showHelp(program);
    throw NewPass{};
  }
  if (hasPrefix(lower, "cd!") || hasPrefix(lower, "cd !") || lower == "home") goHome(program);
  if (hasPrefix(lower, "cd ") || hasPrefix(lower, "cd.") || hasPrefix(lower, "cd\\")) {
    changeDirectory(program, line);
  }
  if (line.size() >= 2 && line[1] == ':') changeDrive(program, line);
  passThrough(program, line);
}

}  // namespace menue
