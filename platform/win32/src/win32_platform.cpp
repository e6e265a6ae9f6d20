// The native platform of the Windows build: the console, files, processes,
// environment and clock of this process, set up once for the run.
#include "platform/native.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_text.h"

namespace menue {

namespace {

class Win32Platform : public NativePlatform {
 public:
  Win32Platform()
      : processes_(&console_), platform_{console_,     files_, processes_,
                                         environment_, clock_, win32::windowsPathRules()} {}

  Platform& platform() override { return platform_; }

 private:
  win32::Win32Console console_;
  win32::Win32Files files_;
  win32::Win32Processes processes_;
  win32::Win32Environment environment_;
  win32::Win32Clock clock_;
  Platform platform_;
};

// Files, processes, environment and clock for the command line, without
// taking the console over.
class Win32CommandServices : public CommandServices {
 public:
  Win32CommandServices()
      : processes_(nullptr),
        services_{files_, processes_, environment_, clock_, win32::windowsPathRules()} {}
  Services& services() override { return services_; }

 private:
  win32::Win32Files files_;
  win32::Win32Processes processes_;
  win32::Win32Environment environment_;
  win32::Win32Clock clock_;
  Services services_;
};

}  // namespace

ConsoleLack consoleLack() {
  // A process started without a console (detached) has no console input.
  const win32::OwnedHandle input(CreateFileW(L"CONIN$", GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, 0, nullptr));
  return input.get() != INVALID_HANDLE_VALUE ? ConsoleLack::None : ConsoleLack::Console;
}

void resetInheritedSignals() {}

std::unique_ptr<CommandServices> createCommandServices() {
  return std::make_unique<Win32CommandServices>();
}

std::unique_ptr<NativePlatform> createNativePlatform() {
  return std::make_unique<Win32Platform>();
}

NativeFiles createNativeFiles() {
  return {std::make_unique<win32::Win32Files>(), win32::windowsPathRules()};
}

std::vector<std::string> programArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(win32::fromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace menue
