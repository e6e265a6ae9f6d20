// The pseudo-terminal session: starts the program on a fresh pty, feeds its
// output into libvterm and sends keys and mouse reports the way a terminal does.
#include "tests/e2e/pty_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>
#include <vterm.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <sstream>

namespace menue::e2e {

namespace {

std::string errorText(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

void appendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// ANSI colour numbers count red as bit 0 and blue as bit 2, the console the
// other way round.
int ansiToConsole(int ansi) {
  return ((ansi & 1) << 2) | (ansi & 2) | ((ansi & 4) >> 2) | (ansi & 8);
}

int toConsoleColour(const VTermScreen* screen, VTermColor colour, bool foreground) {
  if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&colour) : VTERM_COLOR_IS_DEFAULT_BG(&colour)) {
    return -1;
  }
  if (VTERM_COLOR_IS_INDEXED(&colour) && colour.indexed.idx < 16) {
    return ansiToConsole(colour.indexed.idx);
  }
  // A 256-colour or direct colour: the nearest of the sixteen.
  vterm_screen_convert_color_to_rgb(screen, &colour);
  int best = 0;
  long bestDistance = LONG_MAX;
  for (int ansi = 0; ansi < 16; ++ansi) {
    VTermColor candidate;
    vterm_color_indexed(&candidate, static_cast<std::uint8_t>(ansi));
    vterm_screen_convert_color_to_rgb(screen, &candidate);
    const long dr = candidate.rgb.red - colour.rgb.red;
    const long dg = candidate.rgb.green - colour.rgb.green;
    const long db = candidate.rgb.blue - colour.rgb.blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = ansi;
    }
  }
  return ansiToConsole(best);
}

// In the child, before the exec: only async-signal-safe calls.
bool redirectStandardError(const char* path) {
  const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return false;
  const bool moved = dup2(fd, STDERR_FILENO) >= 0;
  close(fd);
  return moved;
}

int remainingMs(Deadline deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() <= 0 ? 0 : static_cast<int>(std::min<long long>(left.count() + 1, INT_MAX));
}

}  // namespace

Deadline within(std::chrono::seconds seconds) {
  return std::chrono::steady_clock::now() + seconds;
}

PtySession::PtySession(const SessionOptions& options)
    : rows_(options.rows), columns_(options.columns) {
  vterm_ = vterm_new(rows_, columns_);
  vterm_set_utf8(vterm_, 1);
  screen_ = vterm_obtain_screen(vterm_);
  vterm_screen_reset(screen_, 1);
  vterm_output_set_callback(vterm_, &PtySession::captureOutput, this);

  winsize size{};
  size.ws_row = static_cast<unsigned short>(rows_);
  size.ws_col = static_cast<unsigned short>(columns_);
  if (openpty(&master_, &slave_, nullptr, nullptr, &size) != 0) {
    startError_ = errorText("openpty");
    return;
  }
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  tcgetattr(slave_, &before_);

  // Everything the child needs is prepared before the fork.
  std::vector<std::string> strings = options.environment;
  std::vector<char*> envp;
  for (auto& entry : strings) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string binary = options.binary;
  std::vector<std::string> arguments = options.arguments;
  std::vector<char*> argv{binary.data()};
  for (auto& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const std::string directory = options.workingDirectory;
  const std::string errorFile = options.standardErrorFile;

  // The child reports a failed exec through this pipe; an exec closes it.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    startError_ = errorText("pipe2");
    return;
  }

  pid_ = fork();
  if (pid_ < 0) {
    startError_ = errorText("fork");
    close(report[0]);
    close(report[1]);
    return;
  }
  if (pid_ == 0) {
    struct sigaction dflt {};
    dflt.sa_handler = SIG_DFL;
    for (int sig :
         {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGPIPE, SIGCHLD, SIGTSTP, SIGTTIN, SIGTTOU}) {
      sigaction(sig, &dflt, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    int error = 0;
    if (login_tty(slave_) != 0 || chdir(directory.c_str()) != 0 ||
        (!errorFile.empty() && !redirectStandardError(errorFile.c_str()))) {
      error = errno;
    } else {
      execve(binary.c_str(), argv.data(), envp.data());
      error = errno;
    }
    ssize_t ignored = write(report[1], &error, sizeof error);
    (void)ignored;
    _exit(127);
  }

  close(report[1]);
  int childError = 0;
  ssize_t got;
  do {
    got = read(report[0], &childError, sizeof childError);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  if (got == static_cast<ssize_t>(sizeof childError)) {
    errno = childError;
    startError_ = errorText(("starting " + options.binary + " in " + directory).c_str());
  }

  pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
  if (pidfd_ < 0 && startError_.empty()) startError_ = errorText("pidfd_open");
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  if (!startError_.empty()) {
    kill(pid_, SIGKILL);
    reap();
  }
}

PtySession::~PtySession() {
  if (pid_ > 0) {
    // The program and whatever it started share its process group.
    kill(-pid_, SIGKILL);
    if (!exitStatus_) {
      kill(pid_, SIGKILL);
      int status = 0;
      while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
      }
    }
  }
  for (int fd : {master_, slave_, pidfd_}) {
    if (fd >= 0) close(fd);
  }
  if (vterm_) vterm_free(vterm_);
}

void PtySession::captureOutput(const char* bytes, std::size_t length, void* user) {
  auto* self = static_cast<PtySession*>(user);
  // Only what a key or mouse action generates is sent; answers libvterm would
  // give to the program's queries are dropped, the harness answers nothing.
  if (self->capturing_) self->generated_.append(bytes, length);
}

void PtySession::feed(const char* bytes, std::size_t length) {
  output_.append(bytes, length);
  vterm_input_write(vterm_, bytes, length);
  scanModes();
}

void PtySession::scanModes() {
  // CSI ? Pn ; Pn ... h / l, possibly split across reads: an unfinished
  // sequence is looked at again once more output has come.
  std::size_t pos = modesScanned_;
  while (true) {
    const std::size_t esc = output_.find("\x1b[?", pos);
    if (esc == std::string::npos) {
      // Keep a trailing ESC or ESC [ for the next time.
      const std::size_t tail = output_.size() >= 2 ? output_.size() - 2 : 0;
      modesScanned_ = std::max(pos, tail);
      return;
    }
    std::size_t i = esc + 3;
    while (i < output_.size() && ((output_[i] >= '0' && output_[i] <= '9') || output_[i] == ';'))
      ++i;
    if (i >= output_.size()) {
      modesScanned_ = esc;
      return;
    }
    const char final = output_[i];
    if (final == 'h' || final == 'l') {
      std::istringstream params(output_.substr(esc + 3, i - esc - 3));
      std::string number;
      while (std::getline(params, number, ';')) {
        if (!number.empty()) privateModes_[std::stoi(number)] = final == 'h';
      }
    }
    pos = i + 1;
  }
}

void PtySession::drain() {
  char buffer[4096];
  while (true) {
    const ssize_t got = read(master_, buffer, sizeof buffer);
    if (got > 0) {
      feed(buffer, static_cast<std::size_t>(got));
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    return;  // EAGAIN: nothing more for now; EIO: nobody has the terminal open
  }
}

void PtySession::reap() {
  if (pid_ <= 0 || exitStatus_) return;
  int status = 0;
  pid_t done;
  do {
    done = waitpid(pid_, &status, WNOHANG);
  } while (done < 0 && errno == EINTR);
  if (done != pid_) return;
  if (WIFEXITED(status)) {
    exitStatus_ = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    exitStatus_ = 128 + WTERMSIG(status);
  } else {
    exitStatus_ = -1;
  }
}

void PtySession::pump(int timeoutMs) {
  if (master_ < 0) return;
  pollfd fds[2] = {{master_, POLLIN, 0}, {pidfd_, POLLIN, 0}};
  const nfds_t count = (pidfd_ >= 0 && !exitStatus_) ? 2 : 1;
  const int ready = poll(fds, count, timeoutMs);
  if (ready <= 0) return;
  if (fds[0].revents != 0) drain();
  if (count == 2 && (fds[1].revents & POLLIN)) {
    reap();
    drain();
  }
}

bool PtySession::waitFor(const std::function<bool()>& holds, Deadline deadline) {
  drain();
  while (true) {
    if (holds()) return true;
    if (exitStatus_ || master_ < 0) {
      drain();
      return holds();
    }
    const int left = remainingMs(deadline);
    if (left == 0) return false;
    pump(left);
  }
}

bool PtySession::waitForText(std::string_view text, Deadline deadline) {
  return waitFor([&] { return screenContains(text); }, deadline);
}

std::optional<int> PtySession::waitForExit(Deadline deadline) {
  while (!exitStatus_ && pid_ > 0) {
    const int left = remainingMs(deadline);
    if (left == 0) break;
    pump(left);
  }
  drain();
  return exitStatus_;
}

void PtySession::sendSignal(int signalNumber) {
  if (running()) kill(pid_, signalNumber);
}

void PtySession::sendBytes(std::string_view bytes) {
  inputMark_ = output_.size();
  while (!bytes.empty() && master_ >= 0) {
    const ssize_t put = write(master_, bytes.data(), bytes.size());
    if (put > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(put));
      continue;
    }
    if (put < 0 && errno == EINTR) continue;
    if (put < 0 && errno == EAGAIN) {
      // The program is not reading; take in its output meanwhile so that
      // neither side blocks the other.
      pollfd fd{master_, POLLOUT | POLLIN, 0};
      if (poll(&fd, 1, 1000) > 0 && (fd.revents & POLLIN)) drain();
      continue;
    }
    return;
  }
}

void PtySession::sendGenerated() {
  std::string bytes;
  bytes.swap(generated_);
  sendBytes(bytes);
}

void PtySession::pressKey(Key key) {
  static constexpr VTermKey Keys[] = {VTERM_KEY_ENTER, VTERM_KEY_ESCAPE, VTERM_KEY_BACKSPACE,
                                      VTERM_KEY_TAB,   VTERM_KEY_UP,     VTERM_KEY_DOWN,
                                      VTERM_KEY_LEFT,  VTERM_KEY_RIGHT,  VTERM_KEY_HOME,
                                      VTERM_KEY_END,   VTERM_KEY_PAGEUP, VTERM_KEY_PAGEDOWN};
  capturing_ = true;
  vterm_keyboard_key(vterm_, Keys[static_cast<int>(key)], VTERM_MOD_NONE);
  capturing_ = false;
  sendGenerated();
}

void PtySession::click(int row, int column, MouseButton button) {
  capturing_ = true;
  vterm_mouse_move(vterm_, row - 1, column - 1, VTERM_MOD_NONE);
  vterm_mouse_button(vterm_, static_cast<int>(button), true, VTERM_MOD_NONE);
  vterm_mouse_button(vterm_, static_cast<int>(button), false, VTERM_MOD_NONE);
  capturing_ = false;
  sendGenerated();
}

std::string PtySession::cells(int row, int column, int count) const {
  std::string text;
  const int end = std::min(columns_, column - 1 + count);
  for (int c = column - 1; c < end; ++c) {
    VTermScreenCell cell{};
    if (row < 1 || row > rows_ || c < 0 || !vterm_screen_get_cell(screen_, {row - 1, c}, &cell)) {
      continue;
    }
    if (cell.chars[0] == 0) {
      text += ' ';
      continue;
    }
    for (int i = 0; i < VTERM_MAX_CHARS_PER_CELL && cell.chars[i] != 0; ++i) {
      appendUtf8(text, cell.chars[i]);
    }
    if (cell.width > 1) c += cell.width - 1;
  }
  return text;
}

std::string PtySession::rowText(int row) const {
  return cells(row, 1, columns_);
}

std::string PtySession::trimmedRow(int row) const {
  std::string text = rowText(row);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string PtySession::screenText() const {
  std::string text;
  for (int row = 1; row <= rows_; ++row) text += rowText(row);
  return text;
}

bool PtySession::screenContains(std::string_view text) const {
  return screenText().find(text) != std::string::npos;
}

int PtySession::findRow(std::string_view text) const {
  for (int row = 1; row <= rows_; ++row) {
    if (rowText(row).find(text) != std::string::npos) return row;
  }
  return 0;
}

CellColours PtySession::colours(int row, int column) const {
  VTermScreenCell cell{};
  if (!vterm_screen_get_cell(screen_, {row - 1, column - 1}, &cell)) return {};
  CellColours result{toConsoleColour(screen_, cell.fg, true),
                     toConsoleColour(screen_, cell.bg, false)};
  if (cell.attrs.reverse) std::swap(result.foreground, result.background);
  return result;
}

int PtySession::attribute(int row, int column) const {
  const CellColours c = colours(row, column);
  if (c.foreground < 0 || c.background < 0) return -1;
  return c.background * 16 + c.foreground;
}

ScreenPos PtySession::cursor() const {
  VTermPos pos{};
  vterm_state_get_cursorpos(vterm_obtain_state(vterm_), &pos);
  return {pos.row + 1, pos.col + 1};
}

bool PtySession::penIsDefault() const {
  const VTermState* state = vterm_obtain_state(vterm_);
  VTermValue fg{}, bg{}, reverse{}, bold{};
  vterm_state_get_penattr(state, VTERM_ATTR_FOREGROUND, &fg);
  vterm_state_get_penattr(state, VTERM_ATTR_BACKGROUND, &bg);
  vterm_state_get_penattr(state, VTERM_ATTR_REVERSE, &reverse);
  vterm_state_get_penattr(state, VTERM_ATTR_BOLD, &bold);
  return VTERM_COLOR_IS_DEFAULT_FG(&fg.color) && VTERM_COLOR_IS_DEFAULT_BG(&bg.color) &&
         !reverse.boolean && !bold.boolean;
}

std::optional<bool> PtySession::privateMode(int mode) const {
  const auto found = privateModes_.find(mode);
  if (found == privateModes_.end()) return std::nullopt;
  return found->second;
}

bool PtySession::mouseReportingOn() const {
  for (int mode : {9, 1000, 1002, 1003}) {
    if (privateMode(mode).value_or(false)) return true;
  }
  return false;
}

std::string PtySession::dump() const {
  std::ostringstream out;
  out << "screen (" << rows_ << "x" << columns_ << "), cursor at row " << cursor().row << " column "
      << cursor().column << ":\n";
  for (int row = 1; row <= rows_; ++row) {
    out << (row < 10 ? " " : "") << row << " |" << rowText(row) << "|\n";
  }
  out << "program " << (running() ? "running" : "ended");
  if (exitStatus_) out << " with status " << *exitStatus_;
  out << ", " << output_.size() << " bytes written to the terminal";
  return out.str();
}

termios PtySession::termiosNow() const {
  termios now{};
  if (slave_ >= 0) tcgetattr(slave_, &now);
  return now;
}

}  // namespace menue::e2e
