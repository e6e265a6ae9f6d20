// The pseudo-terminal session: the program on the shared pty harness, its
// output fed into libvterm, keys and mouse reports sent the way a terminal does.
#include "tests/e2e/pty_session.h"

#include <vterm.h>

#include <algorithm>
#include <climits>
#include <sstream>

#include "platform/utf8.h"

namespace menue::e2e {

namespace {

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

int remainingMs(Deadline deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() <= 0 ? 0 : static_cast<int>(std::min<long long>(left.count() + 1, INT_MAX));
}

// The program alone, on a terminal kept open for reading its modes.
pty::StartOptions startOptions(const SessionOptions& options) {
  std::vector<std::string> argv{options.binary};
  argv.insert(argv.end(), options.arguments.begin(), options.arguments.end());
  pty::StartOptions start;
  start.argv = std::move(argv);
  start.directory = options.workingDirectory;
  start.environment = options.environment;
  start.standardErrorFile = options.standardErrorFile;
  start.rows = options.rows;
  start.columns = options.columns;
  start.keepTerminal = true;
  return start;
}

}  // namespace

Deadline within(std::chrono::seconds seconds) {
  return std::chrono::steady_clock::now() + seconds;
}

PtySession::PtySession(const SessionOptions& options)
    : process_(startOptions(options)), rows_(options.rows), columns_(options.columns) {
  vterm_ = vterm_new(rows_, columns_);
  vterm_set_utf8(vterm_, 1);
  screen_ = vterm_obtain_screen(vterm_);
  vterm_screen_reset(screen_, 1);
  vterm_output_set_callback(vterm_, &PtySession::captureOutput, this);
  static const VTermScreenCallbacks callbacks = [] {
    VTermScreenCallbacks all{};
    all.settermprop = &PtySession::setTerminalProperty;
    return all;
  }();
  vterm_screen_set_callbacks(screen_, &callbacks, this);
}

int PtySession::setTerminalProperty(VTermProp property, VTermValue* value, void* user) {
  auto* self = static_cast<PtySession*>(user);
  switch (property) {
    case VTERM_PROP_MOUSE:
      self->terminalMouse_ = value->number;
      break;
    case VTERM_PROP_CURSORVISIBLE:
      self->terminalCursorVisible_ = value->boolean != 0;
      break;
    case VTERM_PROP_ALTSCREEN:
      self->terminalAltScreen_ = value->boolean != 0;
      break;
    default:
      break;
  }
  return 1;
}

PtySession::~PtySession() {
  if (vterm_) vterm_free(vterm_);
}

void PtySession::captureOutput(const char* bytes, std::size_t length, void* user) {
  auto* self = static_cast<PtySession*>(user);
  // Only what a key or mouse action generates is sent; answers libvterm would
  // give to the program's queries are dropped, the harness answers nothing.
  if (self->capturing_) self->generated_.append(bytes, length);
}

void PtySession::feed(std::string_view bytes) {
  output_.append(bytes);
  vterm_input_write(vterm_, bytes.data(), bytes.size());
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
  process_.readAvailable([this](std::string_view bytes) { feed(bytes); });
}

void PtySession::pump(int timeoutMs) {
  const pty::Ready ready = process_.wait(timeoutMs, pty::WaitFor::Either);
  if (ready.output) drain();
  if (ready.ended) {
    process_.reap(false);
    drain();
  }
}

bool PtySession::waitFor(const std::function<bool()>& holds, Deadline deadline) {
  drain();
  while (true) {
    if (holds()) return true;
    if (!running()) {
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
  while (running()) {
    const int left = remainingMs(deadline);
    if (left == 0) break;
    pump(left);
  }
  drain();
  return process_.exitCode();
}

void PtySession::sendSignal(int signalNumber) {
  process_.signal(signalNumber);
}

void PtySession::otherProgramWrites(std::string_view bytes) {
  vterm_input_write(vterm_, bytes.data(), bytes.size());
}

void PtySession::resize(int rows, int columns) {
  rows_ = rows;
  columns_ = columns;
  vterm_set_size(vterm_, rows, columns);
  process_.resize(rows, columns);
}

void PtySession::sendBytes(std::string_view bytes) {
  inputMark_ = output_.size();
  process_.write(bytes, [this](std::string_view output) { feed(output); });
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
      appendUtf8(text, static_cast<char32_t>(cell.chars[i]));
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
  if (const auto status = process_.exitCode()) out << " with status " << *status;
  out << ", " << output_.size() << " bytes written to the terminal";
  return out.str();
}

}  // namespace menue::e2e
