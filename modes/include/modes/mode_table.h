// What the command line asks for before the menu runs, or instead of it:
// usage, version, a wrong call, the checker, and the start directory.
#pragma once

#include <optional>

#include "modes/command_line_options.h"
#include "modes/exit_status.h"
#include "platform/native.h"
#include "platform/platform.h"

namespace menue {

// Carries out what the command line asks for with the file system alone
// (no console). Returns the exit status when the program ends here, or
// nothing when the menu is to run: then in the start directory asked for,
// now the current one. When the program ends here and standard output
// failed, one line on standard error says so and the status is Unusable.
std::optional<ExitStatus> runCommandLine(const CommandLine& line, FileSystem& files,
                                         const PathRules& rules, StandardStream& out,
                                         StandardStream& err);

// Without a console, or on a terminal that cannot position the cursor, the
// menu cannot run: one line on `err`; the exit status.
ExitStatus refuseWithoutConsole(StandardStream& err, bool cannotPosition);

// The one PATH or DIR of a mode; empty for none.
std::string pathOf(const CommandLine& line);

// Whether the mode starts programs or keeps the history: it runs with
// runServiceCommand instead, after runCommandLine returned nothing.
bool needsServices(const CommandLine& line);
// --run, --edit, --history, --undo; returns the exit status.
ExitStatus runServiceCommand(const CommandLine& line, CommandServices::Services& services,
                             StandardInput& in, StandardStream& out, StandardStream& err);

}  // namespace menue
