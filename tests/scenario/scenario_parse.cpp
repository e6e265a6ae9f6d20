// Reading scenario files: lines of verbs and quoted arguments, <<END blocks,
// and the byte conversions of console texts and file blocks.
#include <map>
#include <sstream>

#include "menufile/menu_model.h"
#include "platform/utf8.h"
#include "tests/scenario/scenario.h"

namespace menue::scenario {

namespace {

std::vector<std::string> splitArgs(const std::string& line, int lineNumber) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
    } else if (line[i] == '#') {
      break;
    } else if (line[i] == '"') {
      std::string arg;
      ++i;
      while (i < line.size() && line[i] != '"') {
        // A backslash keeps the next character (the escapes are resolved
        // later), except that \" stands for a quote.
        if (line[i] == '\\' && i + 1 < line.size()) {
          if (line[i + 1] != '"') arg += line[i];
          ++i;
        }
        arg += line[i++];
      }
      if (i >= line.size()) throw LineError(lineNumber, "unclosed quote");
      ++i;
      args.push_back(arg);
    } else {
      std::string arg;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') arg += line[i++];
      args.push_back(arg);
    }
  }
  return args;
}

// The UTF-8 letters and frame glyphs of the files with their OEM code page
// 850 byte (the console's) and their Windows-1252 byte (the files').
const std::map<std::string, std::pair<char, char>>& letters() {
  static const std::map<std::string, std::pair<char, char>> Letters{
      {"\xC3\xBC", {'\x81', '\xFC'}},     {"\xC3\xA4", {'\x84', '\xE4'}},
      {"\xC3\xB6", {'\x94', '\xF6'}},     {"\xC3\x9C", {'\x9A', '\xDC'}},
      {"\xC3\x84", {'\x8E', '\xC4'}},     {"\xC3\x96", {'\x99', '\xD6'}},
      {"\xC3\x9F", {'\xE1', '\xDF'}},     {"\xC3\xA9", {'\x82', '\xE9'}},
      {"\xE2\x95\x91", {'\xBA', '\xBA'}}, {"\xE2\x95\x90", {'\xCD', '\xCD'}},
      {"\xE2\x95\x94", {'\xC9', '\xC9'}}, {"\xE2\x95\x97", {'\xBB', '\xBB'}},
      {"\xE2\x95\x9A", {'\xC8', '\xC8'}}, {"\xE2\x95\x9D", {'\xBC', '\xBC'}},
  };
  return Letters;
}

const std::map<std::string, std::pair<char, char>> Unconverted;

void appendHex(std::string& out, unsigned char byte) {
  static const char* const Hex = "0123456789ABCDEF";
  out += "\\x";
  out += Hex[byte >> 4];
  out += Hex[byte & 15];
}

// Where a text goes: the console (code page 850), a file in Windows-1252,
// or the system (the UTF-8 letters as written).
enum class Side { Console, File, System };

// Escapes and UTF-8 letters.
std::string convert(const std::string& text, Side side) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      char next = text[i + 1];
      if (next == 't' || next == 'r' || next == 'n') {
        out += next == 't' ? '\t' : next == 'r' ? '\r' : '\n';
        i += 2;
        continue;
      }
      if (next == 'x' && i + 3 < text.size()) {
        out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
        i += 4;
        continue;
      }
      if (next == '\\') {
        out += '\\';
        i += 2;
        continue;
      }
    }
    bool matched = false;
    for (const auto& [utf8, bytes] : side == Side::System ? Unconverted : letters()) {
      if (text.compare(i, utf8.size(), utf8) == 0) {
        out += side == Side::Console ? bytes.first : bytes.second;
        i += utf8.size();
        matched = true;
        break;
      }
    }
    if (!matched) out += text[i++];
  }
  return out;
}

}  // namespace

std::string consoleBytes(const std::string& text) {
  return convert(text, Side::Console);
}

std::string systemBytes(const std::string& text) {
  return convert(text, Side::System);
}

std::string fileBytes(const std::string& block, bool utf8) {
  std::string out;
  std::istringstream lines(block);
  std::string line;
  while (std::getline(lines, line)) {
    if (line == "@structure") {
      out += utf8 ? utf8Of(StructureComment, Windows1252) : std::string(StructureComment);
      continue;
    }
    bool noEnd = line.size() >= 2 && line.compare(line.size() - 2, 2, "\\c") == 0;
    if (noEnd) line.resize(line.size() - 2);
    out += convert(line, utf8 ? Side::System : Side::File);
    if (!noEnd) out += "\r\n";
  }
  return out;
}

std::string printable(const std::string& bytes) {
  std::string out;
  for (char c : bytes) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 32 || byte >= 127) {
      appendHex(out, byte);
    } else {
      out += c;
    }
  }
  return out;
}

std::string cellText(const std::string& cells) {
  std::string out;
  for (char c : cells) {
    auto byte = static_cast<unsigned char>(c);
    const std::string* glyph = nullptr;
    for (const auto& [utf8, bytes] : letters()) {
      if (bytes.first == c) glyph = &utf8;
    }
    if (glyph) {
      out += *glyph;
    } else if (byte < 32 || byte >= 127) {
      appendHex(out, byte);
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<Scenario> parseScenarios(const std::string& text) {
  std::vector<Scenario> scenarios;
  std::istringstream input(text);
  std::string line;
  int number = 0;
  while (std::getline(input, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> args = splitArgs(line, number);
    if (args.empty()) continue;
    if (args[0] == "scenario") {
      scenarios.push_back(Scenario{args.size() > 1 ? args[1] : "unnamed", number, {}});
      continue;
    }
    if (scenarios.empty()) scenarios.push_back(Scenario{"default", number, {}});
    Step step;
    step.line = number;
    step.text = line.substr(line.find_first_not_of(" \t"));
    step.verb = args[0];
    args.erase(args.begin());
    if (!args.empty() && args.back().starts_with("<<")) {
      std::string terminator = args.back().substr(2);
      args.pop_back();
      step.hasBody = true;
      std::string bodyLine;
      bool closed = false;
      while (std::getline(input, bodyLine)) {
        ++number;
        if (!bodyLine.empty() && bodyLine.back() == '\r') bodyLine.pop_back();
        if (bodyLine == terminator) {
          closed = true;
          break;
        }
        step.body += bodyLine + "\n";
      }
      if (!closed) throw LineError(step.line, "unclosed block, no line " + terminator);
    }
    step.args = args;
    scenarios.back().steps.push_back(step);
  }
  return scenarios;
}

}  // namespace menue::scenario
