// Standard output and error on Windows: the program's Windows-1252 texts are
// converted to the code page of the console, so that the console shows the
// German letters (the OEM code page when the process has no console).
#include <cstdio>
#include <string>

#include "platform/native.h"
#include "win32_api.h"

namespace menue {

namespace {

std::string consoleTextOf(std::string_view windows1252) {
  if (windows1252.empty()) return {};
  const int length = static_cast<int>(windows1252.size());
  std::wstring wide(windows1252.size(), L'\0');
  const int units = MultiByteToWideChar(1252, 0, windows1252.data(), length, wide.data(), length);
  UINT codePage = GetConsoleOutputCP();
  if (codePage == 0) codePage = GetOEMCP();
  const int needed =
      WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), units, out.data(), needed, nullptr, nullptr);
  return out;
}

class Win32Stream : public StandardStream {
 public:
  explicit Win32Stream(std::FILE* file) : file_(file) {}
  // The C runtime's text mode turns each "\n" into CR LF.
  void writeBytes(std::string_view bytes) override {
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
  }
  void writeText(std::string_view windows1252) override { writeBytes(consoleTextOf(windows1252)); }

 private:
  std::FILE* file_;
};

}  // namespace

StandardStream& standardOutput() {
  static Win32Stream stream(stdout);
  return stream;
}

StandardStream& standardError() {
  static Win32Stream stream(stderr);
  return stream;
}

}  // namespace menue
