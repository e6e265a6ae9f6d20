// What every end-to-end test shares: a scratch directory to run in, MenuFiles
// written into it, the program started there under a pseudo-terminal, waits
// that report what they waited for, and the screen printed when a test fails.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/pty_session.h"

namespace menue::e2e {

namespace fs = std::filesystem;

// One item of a MenuFile: display text, status digit, command lines.
struct MenuItem {
  std::string text;
  char status = '1';
  std::vector<std::string> commands;
};

// A MenuFile's bytes in the program's layout (CR LF lines, TAB-separated
// execution parts, the end-marker TAB on its own line).
std::string menuFileText(std::string_view header, const std::vector<MenuItem>& items);
void writeFile(const fs::path& path, std::string_view bytes);
std::optional<std::string> readFile(const fs::path& path);

class E2eTest : public ::testing::Test {
 protected:
  // Only a bound against hanging; no test depends on how fast anything is.
  static constexpr std::chrono::seconds Patience{30};
  static constexpr int PromptRow = 24;
  // The DEC private mode in which the terminal marks what is pasted.
  static constexpr int BracketedPaste = 2004;

  E2eTest();
  ~E2eTest() override;
  void TearDown() override;

  // The directory the program starts in (empty at first) and the one the
  // environment names as TMP (where the LaunchScript goes).
  const fs::path& work() const { return work_; }
  const fs::path& temp() const { return temp_; }
  // The LaunchScript of the program last started: its name holds the
  // program's process number (runs side by side never share one).
  fs::path launchScript() const;
  // Names another directory (made here) as TMP for the next start.
  void useTemp(const fs::path& directory);
  // Starts a copy of the program kept in the scratch tree, which another
  // user can reach even where the build directory is private to its owner.
  void useCopyOfProgram();
  const fs::path& program() const { return binary_; }
  // Adds "NAME=value" to the environment of the next starts, in place of
  // one of that name there before; "NAME" alone takes it out.
  void addEnvironment(std::string entry);
  void writeMenu(const std::string& name, std::string_view header,
                 const std::vector<MenuItem>& items, const fs::path& directory = {});

  // Starts the program in `directory` (default: work()).
  PtySession& start(const fs::path& directory = {});
  // Starts it in work() on a terminal of that size.
  PtySession& startSized(int rows, int columns);
  // Starts it with command-line arguments, in work(), its standard error
  // going to a file so that it can be told from what reached the terminal.
  PtySession& startWithArguments(const std::vector<std::string>& arguments);
  // Runs it so to its end: the exit status, -1 if it did not end.
  int statusOf(const std::vector<std::string>& arguments);
  // Starts it in work() through `runner`: a program and its options that
  // run the program named after them (setpriv, say).
  PtySession& startThrough(const std::vector<std::string>& runner);
  // What the program wrote to its standard error (after startWithArguments).
  std::string standardError() const;
  PtySession& session() { return *session_; }
  // Sets the program being driven aside and drives `other` instead (one set
  // aside before, or none until the next start): two programs at once.
  std::unique_ptr<PtySession> swapSession(std::unique_ptr<PtySession> other) {
    session_.swap(other);
    return other;
  }

  // --- waits, each an assertion result naming what did not happen ---
  ::testing::AssertionResult eventually(const std::function<bool()>& holds, std::string_view what);
  ::testing::AssertionResult shows(std::string_view text);
  ::testing::AssertionResult showsAt(int row, int column, std::string_view text);
  ::testing::AssertionResult hides(std::string_view text);
  // The prompt of a directory with nothing typed: row 24 from column 3.
  ::testing::AssertionResult showsPrompt(const fs::path& directory, std::string_view line = "");
  // Types at the prompt one character at a time, each time waiting for its
  // echo (the prompt discards keys typed ahead, as the console does).
  ::testing::AssertionResult typed(std::string_view text);
  // Types a command at the prompt and presses Enter.
  ::testing::AssertionResult entered(std::string_view command);
  // Waits for a dialogue's question at the cursor, then types the answer and Enter.
  ::testing::AssertionResult answered(std::string_view question, std::string_view answer);
  // Ends the program with ESC: exit code 0 and the terminal as it was.
  ::testing::AssertionResult endsWithEsc();
  // After the program ended: modes, mouse, cursor, colours and bracketed
  // paste as before.
  ::testing::AssertionResult terminalRestored();

 private:
  fs::path root_;
  fs::path work_;
  fs::path temp_;
  fs::path binary_ = MENUE_BINARY;
  std::unique_ptr<PtySession> session_;
  std::vector<std::string> extraEnvironment_;

  PtySession& startSession(SessionOptions options);
};

}  // namespace menue::e2e
