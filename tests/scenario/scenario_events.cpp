// Scenario input events as console input records: named keys, typed text,
// pasted text, clicks and double clicks with the records the Windows console
// sends.
#include <cctype>
#include <map>
#include <string>

#include "platform/us_keyboard.h"
#include "platform/utf8.h"
#include "tests/scenario/scenario_runner.h"
#include "tests/support/input_records.h"

namespace menue::scenario {

namespace {

// Rows and columns of the scenario files are 1-based.
InputRecord mouseAt(int row, int column, std::uint32_t buttons, std::uint32_t flags) {
  return mouseRecord(CellPos{row - 1, column - 1}, buttons, flags);
}

// US-layout scan codes of the printable ASCII keys.
std::uint16_t scanOf(char c) {
  const std::optional<UsKey> key = usKeyFor(c);
  return key ? key->scanCode : 0;
}

int number(const std::string& text) {
  return static_cast<int>(std::stol(text, nullptr, 0));
}

// "burst VERB ARG VERB ARG ...": the records of several one-argument
// events (key NAME, text "...", paste "..."), all arriving at once.
std::vector<InputRecord> burstRecords(const Step& step) {
  std::vector<InputRecord> records;
  for (std::size_t i = 0; i < step.args.size(); i += 2) {
    if (i + 1 == step.args.size())
      throw LineError(step.line, "burst: " + step.args[i] + " needs an argument");
    Step part = step;
    part.verb = step.args[i];
    part.args = {step.args[i + 1]};
    if (part.verb != "key" && part.verb != "text" && part.verb != "paste") {
      throw LineError(step.line, "burst takes key, text and paste, not " + part.verb);
    }
    const std::vector<InputRecord> more = recordsFor(part);
    records.insert(records.end(), more.begin(), more.end());
  }
  return records;
}

}  // namespace

bool isEvent(const Step& step) {
  static const char* const Events[] = {"key",      "text",    "click", "rclick", "dclick",
                                       "rdclick",  "bdclick", "move",  "wheel",  "keyrec",
                                       "mouserec", "paste",   "burst"};
  for (const char* verb : Events) {
    if (step.verb == verb) return true;
  }
  return false;
}

std::vector<InputRecord> recordsFor(const Step& step) {
  const auto& args = step.args;
  if (step.verb == "burst") return burstRecords(step);
  auto need = [&](std::size_t count) {
    if (args.size() < count) {
      throw LineError(step.line, step.verb + " needs " + std::to_string(count) + " arguments");
    }
  };
  if (step.verb == "key") {
    need(1);
    static const std::map<std::string, std::pair<std::uint8_t, std::uint16_t>> Named{
        {"Enter", {13, 0x1C}},    {"Esc", {27, 0x01}}, {"WineEsc", {0, 0x01}},
        {"Backspace", {8, 0x0E}}, {"Tab", {9, 0x0F}},  {"Space", {32, 0x39}},
        {"Up", {0, 72}},          {"Down", {0, 80}},   {"Left", {0, 75}},
        {"Right", {0, 77}},       {"Home", {0, 71}},   {"End", {0, 79}},
        {"PgUp", {0, 73}},        {"PgDn", {0, 81}},   {"Ins", {0, 82}},
        {"Del", {0, 83}},         {"F1", {0, 59}},     {"F5", {0, 63}},
        {"F10", {0, 68}},         {"F11", {0, 87}},    {"F12", {0, 88}},
        {"Shift", {0, 0x2A}},     {"Ctrl", {0, 0x1D}}, {"Alt", {0, 0x38}},
        {"CapsLock", {0, 0x3A}},
    };
    const std::string& name = args[0];
    int repeat = args.size() > 1 ? number(args[1]) : 1;
    InputRecord record;
    if (name == "CtrlC") {
      record = keyRecord(3, 0x2E, keystate::LeftCtrl);
    } else if (name.starts_with("Alt+") && name.size() == 5) {
      char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(name[4])));
      record = keyRecord(static_cast<std::uint8_t>(letter), scanOf(letter), keystate::LeftAlt);
    } else if (name.starts_with("AltGr+") && name.size() == 7) {
      record = keyRecord(static_cast<std::uint8_t>(name[6] == 'Q' ? '@' : name[6]), scanOf(name[6]),
                         keystate::RightAlt | keystate::LeftCtrl);
    } else {
      auto it = Named.find(name);
      if (it == Named.end()) throw LineError(step.line, "unknown key " + name);
      record = keyRecord(it->second.first, it->second.second);
    }
    return std::vector<InputRecord>(static_cast<std::size_t>(repeat), record);
  }
  if (step.verb == "text") {
    need(1);
    std::vector<InputRecord> records;
    const std::string typed = systemBytes(args[0]);
    for (std::size_t at = 0; at < typed.size();) {
      const Utf8Character read = readUtf8(typed, at);
      if (!read.valid) throw LineError(step.line, "text is no UTF-8");
      const char32_t c = read.character;
      const char ascii = c < 0x80 ? static_cast<char>(c) : '\0';
      const bool upper = std::isupper(static_cast<unsigned char>(ascii));
      records.push_back(keyRecord(c, scanOf(ascii), upper ? keystate::Shift : 0));
      at += read.length;
    }
    return records;
  }
  if (step.verb == "paste") {
    need(1);
    return {pasteRecord(systemBytes(args[0]))};
  }
  if (step.verb == "keyrec") {  // character scan state [up]
    need(3);
    bool down = args.size() < 4 || args[3] != "up";
    return {keyRecord(static_cast<char32_t>(number(args[0])),
                      static_cast<std::uint16_t>(number(args[1])),
                      static_cast<std::uint32_t>(number(args[2])), down)};
  }
  if (step.verb == "mouserec") {  // row column buttons flags
    need(4);
    return {mouseAt(number(args[0]), number(args[1]), static_cast<std::uint32_t>(number(args[2])),
                    static_cast<std::uint32_t>(number(args[3])))};
  }
  need(2);
  int row = number(args[0]);
  int column = number(args[1]);
  if (step.verb == "move") return {mouseAt(row, column, 0, mouse::Moved)};
  if (step.verb == "wheel") return {mouseAt(row, column, 0, mouse::Wheeled)};
  std::uint32_t button = step.verb == "click" || step.verb == "dclick" ? mouse::LeftButton
                         : step.verb == "bdclick" ? mouse::LeftButton | mouse::RightButton
                                                  : mouse::RightButton;
  std::vector<InputRecord> records{mouseAt(row, column, button, 0), mouseAt(row, column, 0, 0)};
  if (step.verb == "dclick" || step.verb == "rdclick" || step.verb == "bdclick") {
    records.push_back(mouseAt(row, column, button, mouse::DoubleClick));
    records.push_back(mouseAt(row, column, 0, 0));
  }
  return records;
}

}  // namespace menue::scenario
