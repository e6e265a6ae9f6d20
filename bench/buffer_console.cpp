// The buffer console's wait: the end of one pass.
#include "bench/buffer_console.h"

#include "platform/virtual/virtual_platform.h"

namespace menue::bench {

void BufferConsole::waitInput() {
  throw ScriptExhausted{};
}

}  // namespace menue::bench
