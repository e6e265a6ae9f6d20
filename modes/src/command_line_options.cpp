// Reading the command line: long and grouped short options, "--", and the
// paths (a MenuFile's name among them, though it begins with "-"), with the
// first mistake as the error.
#include "modes/command_line_options.h"

#include <string_view>
#include <utility>
#include <vector>

#include "modes/mode_table.h"

namespace menue {

namespace {

// An unknown option may have been meant as a file: the message says how to
// name one that begins with "-".
constexpr std::string_view UnknownOption =
    "unbekannte Option (eine Datei, deren Name mit - beginnt: nach -- oder als ./-name)";

// "-menue-", "-menue07-" and their near misses name MenuFiles, never a
// group of options.
bool namesMenuFile(const std::string& argument) {
  return argument.starts_with("-menue") && argument.size() > 6 && argument.back() == '-';
}

struct Options {
  bool help = false;
  bool version = false;
  // The modes named; two different ones are a mistake.
  std::vector<std::pair<CommandAction, std::string>> modes;
  // Whether the line holds "--undo": "--version" then takes a number.
  bool undo = false;
  // The option whose number the next argument is ("--run", "--version").
  std::string wantsNumber;
  bool versionNumber = false;
  CommandLine result;
};

// The error names the argument; the message ends with where help is.
void fail(Options& options, std::string subject, std::string_view what) {
  if (!options.result.error.empty()) return;
  options.result.errorSubject = std::move(subject);
  options.result.error = std::string(what) + " (Hilfe: menue --help)";
}

// A number of 1 to 9999, as items and versions are counted.
void readNumber(Options& options, const std::string& argument) {
  const std::string option = std::move(options.wantsNumber);
  options.wantsNumber.clear();
  int number = 0;
  for (const char digit : argument) {
    if (digit < '0' || digit > '9' || number > 999) {
      number = 0;
      break;
    }
    number = number * 10 + (digit - '0');
  }
  if (number == 0) {
    fail(options, argument, option + " erwartet eine Nummer");
    return;
  }
  options.result.number = number;
}

void readLong(Options& options, const std::string& argument) {
  if (argument == "--help") {
    options.help = true;
  } else if (argument == "--version" && options.undo) {
    options.wantsNumber = argument;
  } else if (argument == "--version") {
    options.version = true;
  } else if (argument == "--all") {
    options.result.all = true;
  } else {
    for (const Mode& mode : modeTable()) {
      if (mode.option.empty() || argument != mode.option) continue;
      options.modes.emplace_back(mode.action, argument);
      if (mode.action == CommandAction::Run) options.wantsNumber = argument;
      return;
    }
    fail(options, argument, UnknownOption);
  }
}

void readShort(Options& options, const std::string& argument) {
  for (const char letter : std::string_view(argument).substr(1)) {
    if (letter == 'h') {
      options.help = true;
    } else if (letter == 'r') {
      options.result.recursive = true;
    } else {
      fail(options, std::string("-") + letter, UnknownOption);
    }
  }
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  Options options;
  for (const std::string& argument : arguments) {
    if (argument == "--") break;
    if (argument == "--undo") options.undo = true;
  }
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (!options.wantsNumber.empty()) {
      readNumber(options, argument);
    } else if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && argument.rfind("--", 0) == 0) {
      readLong(options, argument);
    } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-' &&
               !namesMenuFile(argument)) {
      readShort(options, argument);
    } else {
      options.result.paths.push_back(argument);
    }
  }
  CommandLine& result = options.result;
  if (!options.wantsNumber.empty()) {
    fail(options, options.wantsNumber, "erwartet eine Nummer");
  }
  const CommandAction mode =
      options.modes.empty() ? CommandAction::RunMenu : options.modes.front().first;
  for (const auto& [action, name] : options.modes) {
    if (action != mode) fail(options, name, "nur eine Betriebsart erlaubt");
  }
  const bool check = mode == CommandAction::Check;
  if (!check && result.recursive) fail(options, "-r", "gilt nur mit --check");
  if (mode != CommandAction::List && result.all) fail(options, "--all", "gilt nur mit --list");
  if (!check && result.paths.size() > 1) {
    fail(options, result.paths[1],
         mode == CommandAction::RunMenu ? "nur ein Verzeichnis erlaubt" : "nur ein Pfad erlaubt");
  }
  if (!result.error.empty()) {
    result.action = CommandAction::Error;
  } else if (options.help) {
    result.action = CommandAction::Help;
  } else if (options.version) {
    result.action = CommandAction::Version;
  } else {
    result.action = mode;
  }
  return result;
}

}  // namespace menue
