// The fixed pauses after messages.
#pragma once

namespace menue {

struct Program;

// After every message the program shows and goes on from.
inline constexpr int PauseMs = 2000;
// Before the end after a fatal failure.
inline constexpr int FatalPauseMs = 3000;

// Shows the screen as it stands, then waits.
void pause(Program& program, int milliseconds = PauseMs);

}  // namespace menue
