// The two error handlers and the orderly exit. A handler prints its German
// message at the cursor, pauses, and says where the program goes on.
#pragma once

#include "platform/platform.h"
#include "session/error_numbers.h"
#include "session/next.h"

namespace menue {

struct Program;

// The handler of every failure but a process start of an item: 51 goes on
// with the step after the failed one (Continue), 76, 70, 75, 57, 68 and 71
// at afterCommandWait, every other number ends the program.
Next generalErrorHandler(Program& program, ErrorNumber number);
// The handler of an item's process start: the report, a pause, and the
// command is Done.
Next startErrorHandler(Program& program, ErrorNumber number);
// A platform call's result under the GeneralErrorHandler; Continue for success.
Next handlePlatformResult(Program& program, PlatformCode platformCode);

// ESC or a right double click: deletes the LaunchScript this run wrote, and
// ends.
Next orderlyExit(Program& program);

}  // namespace menue
