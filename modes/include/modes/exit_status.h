// The exit statuses of the program: one set that every mode returns and
// main turns into the process's status once.
#pragma once

namespace menue {

enum class ExitStatus : int {
  // Did what was asked; the checker found no error.
  Done = 0,
  // Ran to its end without doing it: declined, refused, changed meanwhile,
  // errors found, nothing to work on.
  Refused = 1,
  // A wrong call, or a path, file, directory or output that cannot be
  // used; --run's item not run.
  Unusable = 2,
  // --run: the item's program could not be started (what shells answer).
  NotStarted = 127,
};

// --run ends with the status of the item's program.
constexpr ExitStatus programStatus(int status) {
  return static_cast<ExitStatus>(status);
}

// The process's exit status.
constexpr int exitCode(ExitStatus status) {
  return static_cast<int>(status);
}

}  // namespace menue
