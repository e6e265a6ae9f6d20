// The end-to-end fixture: scratch directories, MenuFiles, the program under a
// pseudo-terminal, and waits that say what they waited for.
#include "tests/e2e/e2e_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace menue::e2e {

namespace {

std::string termiosDifference(const termios& before, const termios& after) {
  std::ostringstream out;
  auto flag = [&](const char* name, tcflag_t a, tcflag_t b) {
    if (a != b) out << " " << name << " " << std::hex << a << " -> " << b << std::dec << ";";
  };
  flag("c_iflag", before.c_iflag, after.c_iflag);
  flag("c_oflag", before.c_oflag, after.c_oflag);
  flag("c_cflag", before.c_cflag, after.c_cflag);
  flag("c_lflag", before.c_lflag, after.c_lflag);
  for (std::size_t i = 0; i < NCCS; ++i) {
    if (before.c_cc[i] != after.c_cc[i]) {
      out << " c_cc[" << i << "] " << int(before.c_cc[i]) << " -> " << int(after.c_cc[i]) << ";";
    }
  }
  return out.str();
}

// The UTF-8 characters of a text, one string each.
std::vector<std::string> utf8Characters(std::string_view text) {
  std::vector<std::string> characters;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    characters.emplace_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

}  // namespace

std::string menuFileText(std::string_view header, const std::vector<MenuItem>& items) {
  std::string text = "Kopfzeile=" + std::string(header) + "\r\n(Menuanzeige)\r\n";
  for (const auto& item : items) text += item.text + "\r\n";
  text += "(Menuausfuhrung)\r\n";
  for (const auto& item : items) {
    text += '\t';
    text += item.status;
    for (const auto& command : item.commands) text += command + "\r\n";
  }
  text += "\t\r\n";
  return text;
}

void writeFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::optional<std::string> readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

E2eTest::E2eTest() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/menue-e2e-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    ADD_FAILURE() << "mkdtemp " << pattern << ": " << std::strerror(errno);
    return;
  }
  // The program shows the directory as the system resolves it.
  root_ = fs::canonical(pattern);
  work_ = root_ / "menus";
  temp_ = root_ / "tmp";
  fs::create_directory(work_);
  fs::create_directory(temp_);
}

E2eTest::~E2eTest() {
  session_.reset();
  std::error_code ignored;
  if (!root_.empty()) fs::remove_all(root_, ignored);
}

void E2eTest::TearDown() {
  if (HasFailure() && session_) std::cerr << session_->dump() << "\n";
}

void E2eTest::useTemp(const fs::path& directory) {
  fs::create_directories(directory);
  temp_ = directory;
}

void E2eTest::useCopyOfProgram() {
  const fs::path copy = root_ / "bin" / "menue";
  fs::create_directories(copy.parent_path());
  fs::copy_file(binary_, copy, fs::copy_options::overwrite_existing);
  fs::permissions(copy, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec);
  binary_ = copy;
}

void E2eTest::writeMenu(const std::string& name, std::string_view header,
                        const std::vector<MenuItem>& items, const fs::path& directory) {
  writeFile((directory.empty() ? work_ : directory) / name, menuFileText(header, items));
}

fs::path E2eTest::launchScript() const {
  if (!session_) return temp_ / "menue.cmd";
  return temp_ / ("menue-" + std::to_string(session_->pid()) + ".cmd");
}

void E2eTest::addEnvironment(std::string entry) {
  const std::string name = entry.substr(0, entry.find('=')) + "=";
  std::erase_if(extraEnvironment_,
                [&name](const std::string& added) { return (added + "=").rfind(name, 0) == 0; });
  extraEnvironment_.push_back(std::move(entry));
}

PtySession& E2eTest::startSession(SessionOptions options) {
  std::vector<std::string> environment = {
      "PATH=" + std::string(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin"),
      "HOME=" + root_.string(),
      "TERM=xterm-256color",
      "LANG=C.UTF-8",
      "TMP=" + temp_.string(),
  };
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name))
      environment.push_back(std::string(name) + "=" + value);
  }
  for (const std::string& extra : extraEnvironment_) {
    const std::string name = extra.substr(0, extra.find('=')) + "=";
    std::erase_if(environment,
                  [&name](const std::string& entry) { return entry.rfind(name, 0) == 0; });
    if (extra.find('=') != std::string::npos) environment.push_back(extra);
  }
  if (options.binary.empty()) options.binary = binary_;
  options.environment = environment;
  session_ = std::make_unique<PtySession>(options);
  EXPECT_EQ(session_->startError(), "");
  return *session_;
}

PtySession& E2eTest::startSized(int rows, int columns) {
  SessionOptions options;
  options.workingDirectory = work_.string();
  options.rows = rows;
  options.columns = columns;
  return startSession(std::move(options));
}

PtySession& E2eTest::start(const fs::path& directory) {
  SessionOptions options;
  options.workingDirectory = (directory.empty() ? work_ : directory).string();
  return startSession(std::move(options));
}

PtySession& E2eTest::startWithArguments(const std::vector<std::string>& arguments) {
  SessionOptions options;
  options.arguments = arguments;
  options.workingDirectory = work_.string();
  options.standardErrorFile = (root_ / "stderr").string();
  return startSession(std::move(options));
}

int E2eTest::statusOf(const std::vector<std::string>& arguments) {
  return startWithArguments(arguments).waitForExit(within(Patience)).value_or(-1);
}

PtySession& E2eTest::startThrough(const std::vector<std::string>& runner) {
  SessionOptions options;
  options.binary = runner.front();
  options.arguments.assign(runner.begin() + 1, runner.end());
  options.arguments.push_back(binary_.string());
  options.workingDirectory = work_.string();
  return startSession(std::move(options));
}

std::string E2eTest::standardError() const {
  return readFile(root_ / "stderr").value_or("");
}

::testing::AssertionResult E2eTest::eventually(const std::function<bool()>& holds,
                                               std::string_view what) {
  if (!session_) return ::testing::AssertionFailure() << "the program was not started";
  if (session_->waitFor(holds, within(Patience))) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "never happened: " << what << (session_->running() ? "" : " (the program has ended)");
}

::testing::AssertionResult E2eTest::shows(std::string_view text) {
  return eventually([&] { return session_->screenContains(text); },
                    "the screen shows \"" + std::string(text) + "\"");
}

::testing::AssertionResult E2eTest::showsAt(int row, int column, std::string_view text) {
  const int count = static_cast<int>(utf8Characters(text).size());
  return eventually([&] { return session_->cells(row, column, count) == text; },
                    "row " + std::to_string(row) + " shows \"" + std::string(text) +
                        "\" from column " + std::to_string(column));
}

::testing::AssertionResult E2eTest::hides(std::string_view text) {
  return eventually([&] { return !session_->screenContains(text); },
                    "\"" + std::string(text) + "\" leaves the screen");
}

::testing::AssertionResult E2eTest::showsPrompt(const fs::path& directory, std::string_view line) {
  const std::string dir = directory.string();
  const std::string typed = ">" + std::string(line) + "_";
  return eventually(
      [&] {
        const std::string row = session_->cells(PromptRow, 3, 78);
        if (row.compare(0, dir.size(), dir) != 0) return false;
        const std::string rest = row.substr(dir.size());
        return (rest.rfind(typed, 0) == 0 || rest.rfind(" (Home=cd!) " + typed, 0) == 0);
      },
      "the prompt \"" + dir + typed + "\" on row 24 from column 3");
}

::testing::AssertionResult E2eTest::typed(std::string_view text) {
  std::string soFar;
  for (const auto& character : utf8Characters(text)) {
    session_->sendBytes(character);
    soFar += character;
    const std::string echo = ">" + soFar + "_";
    auto result =
        eventually([&] { return session_->rowText(PromptRow).find(echo) != std::string::npos; },
                   "the prompt echoes \"" + echo + "\"");
    if (!result) return result;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult E2eTest::entered(std::string_view command) {
  auto result = typed(command);
  if (result) session_->pressKey(Key::Enter);
  return result;
}

::testing::AssertionResult E2eTest::answered(std::string_view question, std::string_view answer) {
  std::string wanted(question);
  wanted.erase(wanted.find_last_not_of(' ') + 1);
  auto result = eventually(
      [&] {
        if (!session_->respondedSinceInput()) return false;
        const std::string row = session_->trimmedRow(session_->cursor().row);
        return row.size() >= wanted.size() &&
               row.compare(row.size() - wanted.size(), wanted.size(), wanted) == 0;
      },
      "the question \"" + std::string(question) + "\" waits at the cursor");
  if (result) session_->sendBytes(std::string(answer) + "\r");
  return result;
}

::testing::AssertionResult E2eTest::endsWithEsc() {
  if (!session_) return ::testing::AssertionFailure() << "the program was not started";
  // A key that arrives while the program still works (a pause, a redraw
  // after a started program) may be discarded by the prompt's flush, as on
  // the console; so ESC is pressed again until the program has ended.
  const Deadline deadline = within(Patience);
  std::optional<int> status;
  while (!status && std::chrono::steady_clock::now() < deadline) {
    session_->pressKey(Key::Escape);
    status = session_->waitForExit(std::min(deadline, within(std::chrono::seconds(1))));
  }
  if (!status) return ::testing::AssertionFailure() << "the program did not end on ESC";
  if (*status != 0) return ::testing::AssertionFailure() << "exit status " << *status;
  return terminalRestored();
}

::testing::AssertionResult E2eTest::terminalRestored() {
  const std::string modes = termiosDifference(session_->termiosBefore(), session_->termiosNow());
  if (!modes.empty()) return ::testing::AssertionFailure() << "terminal modes changed:" << modes;
  if (session_->mouseReportingOn()) {
    return ::testing::AssertionFailure() << "mouse reporting left on";
  }
  // As the terminal took the sequences, not only as they were written.
  if (session_->terminalMouseOn()) {
    return ::testing::AssertionFailure() << "the terminal still reports the mouse";
  }
  if (!session_->terminalCursorVisible()) {
    return ::testing::AssertionFailure() << "the terminal's cursor left hidden";
  }
  if (session_->terminalAltScreen()) {
    return ::testing::AssertionFailure() << "the terminal left on its alternate screen";
  }
  if (session_->privateMode(25) == false) {
    return ::testing::AssertionFailure() << "cursor left hidden";
  }
  if (session_->privateMode(BracketedPaste) == true) {
    return ::testing::AssertionFailure() << "bracketed paste left on";
  }
  if (!session_->penIsDefault()) {
    return ::testing::AssertionFailure() << "colours not reset";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace menue::e2e
