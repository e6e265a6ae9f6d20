// A program's system calls per key, read from the log of `strace -f -ttt`:
// the calls fall into bursts, one per key, separated by the pauses in which
// the program waited for the next key.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace menue::bench {

struct KeyCalls {
  double median = 0;               // calls per key burst
  std::vector<std::string> burst;  // the calls of one burst of that size, by name
};

// The bursts between the first (the start) and the last (the end on ESC);
// nothing when there are none.
std::optional<KeyCalls> callsPerKey(const std::string& traceFile);

}  // namespace menue::bench
