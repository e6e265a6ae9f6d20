// The helper the Wine tests start menue.exe through: it prepares the console
// as a user's Windows console may be (an input mode with QuickEdit, a code
// page, a tall buffer with its window at the bottom), runs the command line
// in that console, and writes down the input modes it saw while the command
// ran and the console's state after it.
//
// Usage: console_probe REPORT [--code-page N] [--rows N [--bottom]]
//        [--window FILE] -- COMMAND...
// With --window, FILE holds what the console's window shows, one UTF-8 line
// per row, rewritten whenever it changes: the screen as the user sees it,
// where the terminal that runs the console draws the buffer otherwise.
// REPORT gets the lines "start MODE", one "seen MODE" per mode other than
// the start one, "end MODE" (modes in hexadecimal), "code-pages IN OUT"
// (before the command), "buffer COLUMNS ROWS window LEFT TOP RIGHT BOTTOM"
// (as the command found it), one "window-top ROW" per top row the window
// had while it ran, and "code-pages-end IN OUT". The exit status is the
// command's.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>

namespace {

// The input mode of a default console of today: line input, echo, insert,
// QuickEdit and the flag that makes QuickEdit count.
constexpr DWORD UserInputMode = ENABLE_PROCESSED_INPUT | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT |
                                ENABLE_INSERT_MODE | ENABLE_QUICK_EDIT_MODE | ENABLE_EXTENDED_FLAGS;

HANDLE openConsole(const wchar_t* name) {
  return CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, 0, nullptr);
}

// Makes the buffer `rows` high and fills it with numbered lines; with
// `bottom` the window shows the buffer's bottom, where a command
// interpreter's cursor would be after long output.
void makeTallBuffer(HANDLE output, int rows, bool bottom) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  GetConsoleScreenBufferInfo(output, &info);
  const SHORT width = info.dwSize.X;
  const SHORT windowRows = static_cast<SHORT>(info.srWindow.Bottom - info.srWindow.Top + 1);
  SetConsoleScreenBufferSize(output, COORD{width, static_cast<SHORT>(rows)});
  for (int row = 0; row < rows; row += 100) {
    char text[32];
    const int length = std::snprintf(text, sizeof text, "Zeile %d", row);
    DWORD written = 0;
    WriteConsoleOutputCharacterA(output, text, static_cast<DWORD>(length),
                                 COORD{0, static_cast<SHORT>(row)}, &written);
  }
  if (!bottom) return;
  SMALL_RECT window{0, static_cast<SHORT>(rows - windowRows), static_cast<SHORT>(width - 1),
                    static_cast<SHORT>(rows - 1)};
  SetConsoleWindowInfo(output, TRUE, &window);
  SetConsoleCursorPosition(output, COORD{0, static_cast<SHORT>(rows - 2)});
}

// The window's rows as UTF-8 lines.
std::string windowText(HANDLE output) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(output, &info)) return {};
  const int width = info.srWindow.Right - info.srWindow.Left + 1;
  std::wstring row(static_cast<std::size_t>(width), L' ');
  std::string text;
  for (SHORT y = info.srWindow.Top; y <= info.srWindow.Bottom; ++y) {
    DWORD read = 0;
    ReadConsoleOutputCharacterW(output, row.data(), static_cast<DWORD>(width),
                                COORD{info.srWindow.Left, y}, &read);
    char bytes[1024];
    const int length = WideCharToMultiByte(CP_UTF8, 0, row.data(), static_cast<int>(read), bytes,
                                           sizeof bytes, nullptr, nullptr);
    text.append(bytes, static_cast<std::size_t>(length > 0 ? length : 0));
    text += '\n';
  }
  return text;
}

// Replaces the file in one step, so a reader never sees half of it.
void writeWhole(const std::wstring& path, const std::string& text) {
  const std::wstring temporary = path + L".new";
  FILE* file = _wfopen(temporary.c_str(), L"wb");
  if (file == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 125;
  const wchar_t* reportPath = argv[1];
  UINT codePage = 0;
  int rows = 0;
  bool bottom = false;
  std::wstring windowFile;
  int i = 2;
  for (; i < argc && std::wcscmp(argv[i], L"--") != 0; ++i) {
    if (std::wcscmp(argv[i], L"--code-page") == 0 && i + 1 < argc) {
      codePage = static_cast<UINT>(std::wcstoul(argv[++i], nullptr, 10));
    } else if (std::wcscmp(argv[i], L"--rows") == 0 && i + 1 < argc) {
      rows = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
    } else if (std::wcscmp(argv[i], L"--bottom") == 0) {
      bottom = true;
    } else if (std::wcscmp(argv[i], L"--window") == 0 && i + 1 < argc) {
      windowFile = argv[++i];
    }
  }
  if (i + 1 >= argc) return 125;
  std::wstring command;
  for (++i; i < argc; ++i) {
    if (!command.empty()) command += L' ';
    command += L'"';
    command += argv[i];
    command += L'"';
  }

  HANDLE input = openConsole(L"CONIN$");
  HANDLE output = openConsole(L"CONOUT$");
  if (codePage != 0) {
    SetConsoleCP(codePage);
    SetConsoleOutputCP(codePage);
  }
  if (rows > 0) makeTallBuffer(output, rows, bottom);
  SetConsoleMode(input, UserInputMode);

  DWORD start = 0;
  GetConsoleMode(input, &start);
  const UINT inputPage = GetConsoleCP();
  const UINT outputPage = GetConsoleOutputCP();
  CONSOLE_SCREEN_BUFFER_INFO buffer{};
  GetConsoleScreenBufferInfo(output, &buffer);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return 126;
  }
  // Modes are looked at every 20 ms: a test tool, and the menu holds its
  // mode for as long as it waits for a key.
  std::set<DWORD> seen;
  std::set<int> windowTops;
  std::string shown;
  while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
    DWORD mode = 0;
    if (GetConsoleMode(input, &mode) && mode != start) seen.insert(mode);
    CONSOLE_SCREEN_BUFFER_INFO now;
    if (GetConsoleScreenBufferInfo(output, &now)) windowTops.insert(now.srWindow.Top);
    if (!windowFile.empty()) {
      std::string text = windowText(output);
      if (text != shown) writeWhole(windowFile, shown = std::move(text));
    }
  }
  if (!windowFile.empty()) writeWhole(windowFile, windowText(output));
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  DWORD end = 0;
  GetConsoleMode(input, &end);

  FILE* report = _wfopen(reportPath, L"w");
  if (report == nullptr) return 127;
  std::fprintf(report, "start %lx\n", static_cast<unsigned long>(start));
  for (DWORD mode : seen) std::fprintf(report, "seen %lx\n", static_cast<unsigned long>(mode));
  std::fprintf(report, "end %lx\n", static_cast<unsigned long>(end));
  std::fprintf(report, "code-pages %u %u\n", inputPage, outputPage);
  std::fprintf(report, "buffer %d %d window %d %d %d %d\n", buffer.dwSize.X, buffer.dwSize.Y,
               buffer.srWindow.Left, buffer.srWindow.Top, buffer.srWindow.Right,
               buffer.srWindow.Bottom);
  for (int top : windowTops) std::fprintf(report, "window-top %d\n", top);
  std::fprintf(report, "code-pages-end %u %u\n", GetConsoleCP(), GetConsoleOutputCP());
  std::fclose(report);
  return static_cast<int>(status);
}
