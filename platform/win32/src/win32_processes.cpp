// Starts a command line as a process that shares the menu's console and
// inherits no handles; a ".cmd" command line the system runs through its
// command interpreter. A child starts with the console settings the menu
// found (line input, echo, Ctrl+C, a visible cursor) and has Ctrl+C and
// Ctrl+Break to itself, and the menu takes its own settings back once the
// child has ended (or, not waiting, has started).
#include "platform/win32/win32_processes.h"

#include <string>

#include "platform/win32/win32_text.h"

namespace menue::win32 {

namespace {

// Keeps the menu alive when the user interrupts a program it runs, and where
// a console turns Ctrl+C into a signal although the menu reads it as a key
// (Wine's terminal console does). Handler routines are not inherited, so
// children keep their default handling.
BOOL WINAPI ignoreControlEvent(DWORD /*event*/) {
  return TRUE;
}

// Gives the console to a child for as long as it lives.
class ChildConsole {
 public:
  explicit ChildConsole(Win32Console* console) : console_(console) {
    if (console_ == nullptr) return;
    menuSettings_ = console_->currentSettings();
    console_->applySettings(console_->initialSettings());
  }
  ~ChildConsole() {
    if (console_ != nullptr) console_->applySettings(menuSettings_);
  }
  ChildConsole(const ChildConsole&) = delete;
  ChildConsole& operator=(const ChildConsole&) = delete;

 private:
  Win32Console* console_;
  Win32Console::Settings menuSettings_{};
};

}  // namespace

Win32Processes::Win32Processes(Win32Console* console) : console_(console) {
  SetConsoleCtrlHandler(ignoreControlEvent, TRUE);
}

Win32Processes::~Win32Processes() {
  SetConsoleCtrlHandler(ignoreControlEvent, FALSE);
}

PlatformCode Win32Processes::start(const std::string& commandLine, bool wait) {
  return create(nullptr, toWide(commandLine), wait);
}

PlatformCode Win32Processes::runScript(const std::string& path, bool wait) {
  // The interpreter from the system directory, never one found in the
  // current directory or along PATH.
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return PlatformCallScope::failure();
  const std::wstring interpreter = std::wstring(system, length) + L"\\cmd.exe";
  // With /s cmd.exe takes off the outer pair of quotes after /c and runs the
  // rest: the path in quotes, one name even with blanks, &, (, ), ^ or @.
  return create(interpreter.c_str(),
                L"\"" + interpreter + L"\" /s /c \"\"" + toWide(path) + L"\"\"", wait);
}

PlatformCode Win32Processes::runOnPath(const std::string& command, const std::string& path) {
  return start(command + " \"" + path + "\"", true);
}

PlatformCode Win32Processes::create(const wchar_t* application, std::wstring line, bool wait) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};

  ChildConsole childConsole(console_);

  // The error mode set for the call is the menu's business: the child gets
  // the system's default.
  PlatformCallScope scope;
  if (!CreateProcessW(application, line.data(), nullptr, nullptr, FALSE,
                      NORMAL_PRIORITY_CLASS | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup,
                      &process)) {
    return PlatformCallScope::failure();
  }
  OwnedHandle processHandle(process.hProcess);
  OwnedHandle threadHandle(process.hThread);
  if (wait) {
    WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD exitCode = 0;
    lastExitStatus_ =
        GetExitCodeProcess(processHandle.get(), &exitCode) ? static_cast<int>(exitCode) : 0;
  }
  return code::Success;
}

}  // namespace menue::win32
