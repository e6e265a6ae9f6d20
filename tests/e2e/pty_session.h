// One run of a real program under a pseudo-terminal, its screen read back
// through libvterm: what the end-to-end tests drive and look at.
//
// Rows and columns here are 1-based, as the program itself counts them (the
// prompt is "row 24 from column 3"). Every wait blocks in poll(2) on the
// terminal and on the child's pidfd until something happens or the deadline
// passes; nothing sleeps for a fixed time.
#pragma once

#include <termios.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/pty/pty_process.h"

#include <vterm.h>

namespace menue::e2e {

using Deadline = std::chrono::steady_clock::time_point;

// A deadline `seconds` from now. Deadlines only keep a broken program from
// hanging a test; no test asserts on how long anything took.
Deadline within(std::chrono::seconds seconds);

struct SessionOptions {
  std::string binary;
  std::vector<std::string> arguments;
  std::string workingDirectory;
  // When set, the child's standard error goes to this file, not the terminal.
  std::string standardErrorFile;
  // The child's whole environment, "NAME=value" entries in this order.
  std::vector<std::string> environment;
  int rows = 25;
  int columns = 80;
};

// Windows console colour numbers (0 black, 1 blue, ..., 7 light grey, 8-15
// the bright ones); -1 where the terminal's default colour is in force.
struct CellColours {
  int foreground = -1;
  int background = -1;
  bool operator==(const CellColours&) const = default;
};

struct ScreenPos {
  int row = 0;
  int column = 0;
  bool operator==(const ScreenPos&) const = default;
};

// Keys a terminal sends as sequences; they are encoded by libvterm in the
// form the program asked for (SS3 cursor keys after DECCKM, CSI otherwise).
enum class Key {
  Enter,
  Escape,
  Backspace,
  Tab,
  Up,
  Down,
  Left,
  Right,
  Home,
  End,
  PageUp,
  PageDown
};

enum class MouseButton { Left = 1, Middle = 2, Right = 3 };

class PtySession {
 public:
  // Starts the program; a failure to start is reported by running() being
  // false and startError() saying why.
  explicit PtySession(const SessionOptions& options);
  ~PtySession();
  PtySession(const PtySession&) = delete;
  PtySession& operator=(const PtySession&) = delete;

  const std::string& startError() const { return process_.error(); }
  bool running() const { return process_.running(); }
  // The program's process number (kept after it ended).
  pid_t pid() const { return process_.pid(); }

  // --- the screen as the terminal shows it ---
  // `count` cells of a row from `column` as UTF-8 (a blank cell is a space).
  std::string cells(int row, int column, int count) const;
  // The row as UTF-8, every column.
  std::string rowText(int row) const;
  // The row without trailing blanks.
  std::string trimmedRow(int row) const;
  // All rows joined, so that a text the program wrapped at the right edge
  // reads as one.
  std::string screenText() const;
  bool screenContains(std::string_view text) const;
  // The row number (1-based) of the first row containing `text`; 0 if none.
  int findRow(std::string_view text) const;
  CellColours colours(int row, int column) const;
  // The colours as a console attribute (background * 16 + foreground); -1 when
  // either is the terminal's default.
  int attribute(int row, int column) const;
  ScreenPos cursor() const;
  // Whether the terminal's drawing colours (the pen) are back to the defaults.
  bool penIsDefault() const;
  // Every row, numbered, for a failure message.
  std::string dump() const;

  // --- what the program wrote ---
  // Every byte the program wrote to the terminal so far.
  const std::string& output() const { return output_; }
  // The last setting of each DEC private mode (CSI ? n h / l) in the output;
  // nothing for a mode the program never touched.
  std::optional<bool> privateMode(int mode) const;
  // Mouse reporting of any kind (modes 9, 1000, 1002, 1003) left switched on.
  bool mouseReportingOn() const;

  // --- the terminal's state as a terminal library keeps it (libvterm's
  // properties, set as it parsed the output; a sequence it does not take
  // whole leaves them as they were) ---
  // Mouse reporting of any kind on (VTERM_PROP_MOUSE).
  bool terminalMouseOn() const { return terminalMouse_ != 0; }
  bool terminalCursorVisible() const { return terminalCursorVisible_; }
  bool terminalAltScreen() const { return terminalAltScreen_; }

  // --- input, sent as a terminal sends it ---
  void sendBytes(std::string_view bytes);
  void pressKey(Key key);
  // A press and release of `button` on a cell, as the terminal reports it in
  // the mouse mode the program switched on (nothing when it switched none).
  void click(int row, int column, MouseButton button = MouseButton::Left);
  void sendSignal(int signalNumber);
  // What another program (a shell, while the menu is stopped) writes to the
  // terminal: it changes the screen read back, not the program's output.
  void otherProgramWrites(std::string_view bytes);
  // Gives the terminal a new size, as a window resized by the user: the
  // program gets SIGWINCH; the screen read back keeps what fits.
  void resize(int rows, int columns);
  // Whether the program has written anything since the last input was sent.
  bool respondedSinceInput() const { return output_.size() > inputMark_; }

  // --- waiting ---
  // Reads the program's output until `holds` is true (true) or the deadline
  // passes or the program has ended without making it true (false).
  bool waitFor(const std::function<bool()>& holds, Deadline deadline);
  bool waitForText(std::string_view text, Deadline deadline);
  // The exit code (or 128 + the signal number) once the program ended.
  std::optional<int> waitForExit(Deadline deadline);

  // --- the terminal modes ---
  const termios& termiosBefore() const { return process_.modesBefore(); }
  termios termiosNow() const { return process_.modesNow(); }

 private:
  // Waits up to `timeoutMs` (-1: forever) for output or the child's end and
  // takes in whatever came.
  void pump(int timeoutMs);
  void drain();
  void feed(std::string_view bytes);
  void sendGenerated();

  // Its terminal kept open, so that the modes outlive the program.
  pty::PtyProcess process_;
  int rows_ = 25;
  int columns_ = 80;
  ::VTerm* vterm_ = nullptr;
  ::VTermScreen* screen_ = nullptr;
  std::string output_;
  // What libvterm generated as keyboard or mouse input, to be sent.
  std::string generated_;
  bool capturing_ = false;
  std::map<int, bool> privateModes_;
  std::size_t modesScanned_ = 0;
  std::size_t inputMark_ = 0;

  int terminalMouse_ = 0;
  bool terminalCursorVisible_ = true;
  bool terminalAltScreen_ = false;

  static void captureOutput(const char* bytes, std::size_t length, void* user);
  static int setTerminalProperty(VTermProp property, VTermValue* value, void* user);
  void scanModes();
};

}  // namespace menue::e2e
