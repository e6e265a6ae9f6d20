// Starts a command line as a process that shares the menu's console and
// inherits no handles; a ".cmd" command line the system runs through its
// command interpreter. A child starts with the console settings the menu
// found (line input, echo, Ctrl+C, a visible cursor), gets Ctrl+C and
// Ctrl+Break to itself while the menu waits for it, and the menu takes its
// own settings back once the child has ended (or, not waiting, has started).
#include "platform/win32/win32_processes.h"

#include <optional>
#include <vector>

namespace menue::win32 {

namespace {

// Keeps the menu alive when the user interrupts the program it waits for.
BOOL WINAPI ignoreControlEvent(DWORD /*event*/) {
  return TRUE;
}

// Ignores Ctrl+C and Ctrl+Break for as long as it lives. A handler routine
// is not inherited, so children keep their default handling.
class IgnoreInterrupts {
 public:
  IgnoreInterrupts() { SetConsoleCtrlHandler(ignoreControlEvent, TRUE); }
  ~IgnoreInterrupts() { SetConsoleCtrlHandler(ignoreControlEvent, FALSE); }
  IgnoreInterrupts(const IgnoreInterrupts&) = delete;
  IgnoreInterrupts& operator=(const IgnoreInterrupts&) = delete;
};

// Gives the console to a child for as long as it lives.
class ChildConsole {
 public:
  explicit ChildConsole(Win32Console& console)
      : console_(console), menuSettings_(console.currentSettings()) {
    console_.applySettings(console_.initialSettings());
  }
  ~ChildConsole() { console_.applySettings(menuSettings_); }
  ChildConsole(const ChildConsole&) = delete;
  ChildConsole& operator=(const ChildConsole&) = delete;

 private:
  Win32Console& console_;
  Win32Console::Settings menuSettings_;
};

}  // namespace

PlatformCode Win32Processes::start(const std::string& commandLine, bool wait) {
  // CreateProcessA may write into the command line, so it gets a copy.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};

  // Interrupts stay ignored until the menu's own settings (no Ctrl+C
  // processing) are back, so the guard is made first and ends last.
  std::optional<IgnoreInterrupts> ignoring;
  if (wait) ignoring.emplace();
  ChildConsole childConsole(console_);

  // The error mode set for the call is the menu's business: the child gets
  // the system's default.
  PlatformCallScope scope;
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                      NORMAL_PRIORITY_CLASS | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup,
                      &process)) {
    return PlatformCallScope::failure();
  }
  OwnedHandle processHandle(process.hProcess);
  OwnedHandle threadHandle(process.hThread);
  if (wait) WaitForSingleObject(processHandle.get(), INFINITE);
  return code::Success;
}

}  // namespace menue::win32
