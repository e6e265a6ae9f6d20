// Standard input on POSIX: the answers to the command line's questions, one
// line at a time, read byte by byte so nothing after the line is taken.
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/native.h"

namespace menue {

namespace {

class PosixInput : public StandardInput {
 public:
  bool readLine(std::string& line) override {
    std::fflush(stdout);
    line.clear();
    char byte = 0;
    for (;;) {
      const ssize_t got = read(STDIN_FILENO, &byte, 1);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return !line.empty();
      if (byte == '\n') break;
      line += byte;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
};

}  // namespace

StandardInput& standardInput() {
  static PosixInput input;
  return input;
}

}  // namespace menue
