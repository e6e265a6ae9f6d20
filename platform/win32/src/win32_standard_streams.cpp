// Standard output and error on Windows: the program's Windows-1252 texts and
// the system forms of paths are converted to the code page of the console,
// so that the console shows their letters (the OEM code page when the
// process has no console). A write that fails (a full disk, a closed pipe)
// is remembered for flush().
#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/native.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_text.h"

namespace menue {

namespace {

// A character the code page lacks becomes '?', never a look-alike: a
// best-fit letter would name another file. (Code pages that take no flags
// convert without.)
std::string consoleTextOf(const std::wstring& wide) {
  if (wide.empty()) return {};
  UINT codePage = GetConsoleOutputCP();
  if (codePage == 0) codePage = GetOEMCP();
  const int units = static_cast<int>(wide.size());
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int needed =
      WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (needed == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
    flags = 0;
    needed = WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, nullptr, nullptr);
  }
  std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), units, out.data(), needed, nullptr, nullptr);
  return out;
}

std::wstring wideOf1252(std::string_view windows1252) {
  if (windows1252.empty()) return {};
  const int length = static_cast<int>(windows1252.size());
  std::wstring wide(windows1252.size(), L'\0');
  const int units = MultiByteToWideChar(1252, 0, windows1252.data(), length, wide.data(), length);
  wide.resize(static_cast<std::size_t>(units > 0 ? units : 0));
  return wide;
}

class Win32Stream : public StandardStream {
 public:
  explicit Win32Stream(std::FILE* file) : file_(file) {}
  void writeBytes(std::string_view systemForm) override {
    write(consoleTextOf(win32::toWide(systemForm)));
  }
  void writeText(std::string_view windows1252) override {
    write(consoleTextOf(wideOf1252(windows1252)));
  }
  PlatformCode flush() override {
    if (failure_ == code::Success && (std::fflush(file_) != 0 || std::ferror(file_))) {
      failure_ = failureOf(errno);
    }
    return failure_;
  }

 private:
  // The C runtime reports a failed write in errno; a closed pipe raises no
  // signal on Windows.
  static PlatformCode failureOf(int error) {
    switch (error) {
      case ENOSPC:
        return code::DiskFull;
      case EPIPE:
        return code::BrokenPipe;
      case EBADF:
        return code::InvalidHandle;
      default:
        return code::WriteFault;
    }
  }

  // The C runtime's text mode turns each "\n" into CR LF.
  void write(const std::string& bytes) {
    if (failure_ != code::Success || bytes.empty()) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
      failure_ = failureOf(errno);
    }
  }

  std::FILE* file_;
  PlatformCode failure_ = code::Success;
};

}  // namespace

// Answers read byte by byte from the standard input handle, so nothing
// after the line is taken; the console's line input echoes them.
class Win32Input : public StandardInput {
 public:
  bool readLine(std::string& line) override {
    std::fflush(stdout);
    line.clear();
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char byte = 0;
    DWORD got = 0;
    for (;;) {
      if (!ReadFile(input, &byte, 1, &got, nullptr) || got == 0) return !line.empty();
      if (byte == '\n') break;
      line += byte;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
  }
};

StandardStream& standardOutput() {
  static Win32Stream stream(stdout);
  return stream;
}

StandardStream& standardError() {
  static Win32Stream stream(stderr);
  return stream;
}

StandardInput& standardInput() {
  static Win32Input input;
  return input;
}

}  // namespace menue
