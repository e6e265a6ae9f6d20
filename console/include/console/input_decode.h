// Decoding console input records into keys and clicks.
#pragma once

#include <cstdint>

#include "console/key.h"
#include "platform/platform.h"

namespace menue {

// What the decoding remembers between records.
struct InputState {
  bool mouseOn = false;
  std::uint32_t lastButtons = 0;
};

// Decodes one record (Alt+letter rule, Caps Lock correction, modifier keys
// skipped, mouse presses by changed button, double clicks); records that are
// skipped decode to Nothing. Updates the remembered button state.
InputEvent decodeRecord(const InputRecord& record, InputState& state);

}  // namespace menue
