// Error handling and the ends of the program: ErrorNumbers with their texts,
// the mapping from platform codes, the two handlers, the continuations the
// command loop catches, the orderly exit and the immediate end.
#pragma once

#include <string_view>

#include "platform/platform.h"

namespace menue {

struct Program;

// Continuations thrown to the command loop (and to main for the end).
struct NewPass {};           // start a new pass at the loop head
struct PromptStep {};        // continue at the prompt step, no reload
struct AfterCommandWait {};  // wait for a key, clear, new pass
struct ProgramEnd {};        // end the program with exit code 0

enum class Handler { General, Start };

struct ErrorState {
  Handler inForce = Handler::General;
  int pending = 0;
};

std::string_view errorText(int errorNumber);
int errorNumberFor(PlatformCode platformCode);

// Hands an ErrorNumber to the handler in force. Returns only where the
// handler continues with the step after the failed one (51 under the
// GeneralErrorHandler); otherwise throws the continuation.
void reportError(Program& program, int errorNumber);
// Reports the mapped number of a failed platform call; nothing for 0.
void check(Program& program, PlatformCode platformCode);

void armGeneralHandler(Program& program);

// Puts the StartErrorHandler in force for one process start and the
// GeneralErrorHandler back afterwards, however the scope is left.
class StartHandlerScope {
 public:
  explicit StartHandlerScope(Program& program);
  ~StartHandlerScope();
  StartHandlerScope(const StartHandlerScope&) = delete;
  StartHandlerScope& operator=(const StartHandlerScope&) = delete;

 private:
  Program& program_;
};

// ESC or a right double click: deletes the LaunchScript, ends with 0.
[[noreturn]] void orderlyExit(Program& program);
// Ends at once with 0; nothing is deleted or printed.
[[noreturn]] void immediateEnd();

}  // namespace menue
