// Standard output and error on POSIX: the program's Windows-1252 texts go out
// as UTF-8, the encoding of the terminal and of the files other tools read.
#include <cstdio>
#include <string>

#include "platform/native.h"

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

class PosixStream : public StandardStream {
 public:
  explicit PosixStream(std::FILE* file) : file_(file) {}
  void writeBytes(std::string_view bytes) override {
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
  }
  void writeText(std::string_view windows1252) override { writeBytes(utf8Of(windows1252)); }

 private:
  std::FILE* file_;
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
