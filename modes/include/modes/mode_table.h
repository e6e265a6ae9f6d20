// The table of the program's modes: the option that asks for each, what
// it needs before it can run, and the function that runs it. main walks
// it; the command line's reading and the bash completion name the same
// options.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "modes/command_line_options.h"
#include "modes/exit_status.h"
#include "platform/native.h"
#include "platform/platform.h"
#include "session/edit_recording.h"

namespace menue {

// What a mode needs before it runs.
enum class ModeNeeds {
  // The file system alone: the usage, the version, a wrong call, --items.
  Files,
  // The command services: files, programs, environment and clock.
  Services,
  // A console: the interactive menu.
  Console,
};

// What a mode is given. `services` and `recording` (the edit history over
// the services' files) are set for the modes that need the services.
struct ModeCall {
  const CommandLine& line;
  FileSystem& files;
  const PathRules& rules;
  CommandServices::Services* services;
  EditRecording* recording;
  StandardInput& in;
  StandardStream& out;
  StandardStream& err;
};

struct Mode {
  CommandAction action;
  // The option that asks for it; empty where none does.
  std::string_view option;
  // The option that only it takes ("-r" for --check); empty for none.
  std::string_view modifier;
  // Named nowhere for the user (--items, which the completion asks).
  bool hidden;
  ModeNeeds needs;
  // Runs it. For the menu: what comes before the console (the change into
  // its start directory); Done when the menu is to run.
  ExitStatus (*run)(const ModeCall& call);
};

// Every mode, one row each, in the order --help names them.
std::span<const Mode> modeTable();
// The row of `action`.
const Mode& modeOf(CommandAction action);

// Runs `mode`. Where the program ends with it, a status that standard
// output did not take all of is Unusable, with one line on `err`.
ExitStatus runMode(const Mode& mode, const ModeCall& call);

// Without a console, or on a terminal that cannot position the cursor, the
// menu cannot run: one line on `err`; the exit status.
ExitStatus refuseWithoutConsole(StandardStream& err, bool cannotPosition);

// The one PATH or DIR of a mode; empty for none.
std::string pathOf(const CommandLine& line);

}  // namespace menue
