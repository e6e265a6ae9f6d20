// Splitting an strace log into bursts at the pauses of the program.
#include "bench/syscall_trace.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace menue::bench {

namespace {

// A pause this long between the starts of two calls ends a burst; the
// benchmark sends each key only after 100 ms without output.
constexpr double PauseSeconds = 0.05;

struct Call {
  double start = 0;
  std::string name;
};

// "PID SECONDS.MICRO name(args) = result"; signals, exits and the second
// halves of calls another thread interrupted are no calls of their own.
std::optional<Call> parseLine(const std::string& line) {
  std::istringstream in(line);
  std::string pid;
  Call call;
  std::string rest;
  if (!(in >> pid >> call.start)) return std::nullopt;
  std::getline(in >> std::ws, rest);
  if (rest.rfind("---", 0) == 0 || rest.rfind("+++", 0) == 0 || rest.rfind("<...", 0) == 0) {
    return std::nullopt;
  }
  const std::size_t paren = rest.find('(');
  if (paren == std::string::npos || paren == 0) return std::nullopt;
  call.name = rest.substr(0, paren);
  return call;
}

}  // namespace

std::optional<KeyCalls> callsPerKey(const std::string& traceFile) {
  std::ifstream in(traceFile);
  std::vector<std::vector<std::string>> bursts;
  double last = -1;
  for (std::string line; std::getline(in, line);) {
    const std::optional<Call> call = parseLine(line);
    if (!call) continue;
    if (bursts.empty() || call->start - last > PauseSeconds) bursts.emplace_back();
    bursts.back().push_back(call->name);
    last = call->start;
  }
  if (bursts.size() < 3) return std::nullopt;
  std::vector<std::vector<std::string>> keys(bursts.begin() + 1, bursts.end() - 1);
  std::sort(keys.begin(), keys.end(),
            [](const auto& a, const auto& b) { return a.size() < b.size(); });
  const auto& middle = keys[keys.size() / 2];
  return KeyCalls{static_cast<double>(middle.size()), middle};
}

}  // namespace menue::bench
