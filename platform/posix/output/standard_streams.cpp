// Standard output and error on POSIX: the program's Windows-1252 texts go out
// as UTF-8, the encoding of the terminal and of the files other tools read;
// a write that fails (a full disk, a closed pipe) is remembered for flush().
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/native.h"
#include "platform/posix/files/errno_code.h"

namespace menue {

namespace {

// Windows-1252 to UTF-8. The letters above 0x9F are Latin-1, two bytes
// each; the program's texts use no byte of 0x80-0x9F, which become '?'
// rather than invalid UTF-8.
std::string utf8Of(std::string_view windows1252) {
  std::string out;
  out.reserve(windows1252.size());
  for (const char c : windows1252) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else if (byte < 0xA0) {
      out += '?';
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

// SIGPIPE held back for the length of one write: a reader that closed its
// pipe then shows as EPIPE, which the stream reports, rather than ending the
// program without a word. A SIGPIPE the write raised is taken back before
// the mask is restored; the mask is the caller's again afterwards, so the
// programs the menu starts get the signal as usual.
class BrokenPipeHeld {
 public:
  BrokenPipeHeld() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    sigprocmask(SIG_BLOCK, &pipe_, &previous_);
    wasPending_ = pending();
  }
  ~BrokenPipeHeld() {
    if (!wasPending_ && pending()) {
      const timespec none{};
      sigtimedwait(&pipe_, nullptr, &none);
    }
    sigprocmask(SIG_SETMASK, &previous_, nullptr);
  }
  BrokenPipeHeld(const BrokenPipeHeld&) = delete;
  BrokenPipeHeld& operator=(const BrokenPipeHeld&) = delete;

 private:
  static bool pending() {
    sigset_t set;
    sigpending(&set);
    return sigismember(&set, SIGPIPE) == 1;
  }

  sigset_t pipe_;
  sigset_t previous_;
  bool wasPending_ = false;
};

// Why a write or the flush failed; a stream the caller closed (">&-")
// has no descriptor.
PlatformCode writeFailure() {
  return errno == EBADF ? code::InvalidHandle : lastErrorCode();
}

class PosixStream : public StandardStream {
 public:
  explicit PosixStream(std::FILE* file) : file_(file) {}
  void writeBytes(std::string_view bytes) override {
    if (failure_ != code::Success || bytes.empty()) return;
    const BrokenPipeHeld held;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
      failure_ = writeFailure();
  }
  void writeText(std::string_view windows1252) override { writeBytes(utf8Of(windows1252)); }
  PlatformCode flush() override {
    if (failure_ != code::Success) return failure_;
    const BrokenPipeHeld held;
    errno = 0;
    if (std::fflush(file_) != 0 || std::ferror(file_)) failure_ = writeFailure();
    return failure_;
  }

 private:
  std::FILE* file_;
  PlatformCode failure_ = code::Success;
};

}  // namespace

StandardStream& standardOutput() {
  static PosixStream stream(stdout);
  return stream;
}

StandardStream& standardError() {
  static PosixStream stream(stderr);
  return stream;
}

}  // namespace menue
