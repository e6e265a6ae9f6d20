// Reading the command line: long and grouped short options, "--", and the
// paths (a MenuFile's name among them, though it begins with "-"), with the
// first mistake as the error.
#include "session/command_line_options.h"

#include <string_view>
#include <utility>

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
  bool check = false;
  CommandLine result;
};

// The error names the argument; the message ends with where help is.
void fail(Options& options, std::string subject, std::string_view what) {
  if (!options.result.error.empty()) return;
  options.result.errorSubject = std::move(subject);
  options.result.error = std::string(what) + " (Hilfe: menue --help)";
}

void readLong(Options& options, const std::string& argument) {
  if (argument == "--help") {
    options.help = true;
  } else if (argument == "--version") {
    options.version = true;
  } else if (argument == "--check") {
    options.check = true;
  } else {
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
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (!optionsEnded && argument == "--") {
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
  if (!options.check && result.recursive) fail(options, "-r", "gilt nur mit --check");
  if (!options.check && result.paths.size() > 1) {
    fail(options, result.paths[1], "nur ein Verzeichnis erlaubt");
  }
  if (!result.error.empty()) {
    result.action = CommandAction::Error;
  } else if (options.help) {
    result.action = CommandAction::Help;
  } else if (options.version) {
    result.action = CommandAction::Version;
  } else if (options.check) {
    result.action = CommandAction::Check;
  }
  return result;
}

}  // namespace menue
