// The terminal console: buffer operations, presenting the buffer on the
// terminal, the blocking input wait, and handing the terminal to started
// programs and back.
#include "platform/posix/output/posix_console.h"

#include <poll.h>

#include <cerrno>

#include "platform/posix/input/posix_clock.h"
#include "platform/posix/output/code_page_850.h"
#include "platform/posix/output/terminal_guard.h"
#include "platform/posix/output/vt_sequences.h"

namespace menue {

namespace {

TerminalSize sizeOf(const Terminal& terminal) {
  return terminal.size().value_or(TerminalSize{});
}

// The buffer behind a window: the window's size, but never less than the
// core's screens need, so that they are kept whole in a small window.
int atLeast(int windowCells, int least) {
  return windowCells < least ? least : windowCells;
}

// Light grey on black, as a console starts.
constexpr Attribute InitialAttribute = 0x07;

void finishAtExit(void* console) {
  static_cast<PosixConsole*>(console)->finish();
}

}  // namespace

PosixConsole::PosixConsole(ChildReaper& children)
    : children_(children),
      window_{sizeOf(terminal_).columns, sizeOf(terminal_).rows},
      screen_(atLeast(window_.columns, LeastWindow.columns),
              atLeast(window_.rows, LeastWindow.rows), InitialAttribute) {
  terminal_.enterRawMode();
  raw_ = true;
  armTerminalGuard(terminal_, finishAtExit, this);
  setTerminalHeld(true);
  sendHeldModes();
  // What the terminal shows now stays until the program writes over it.
  mirror_.forgetPicture(screen_);
}

PosixConsole::~PosixConsole() {
  finish();
}

BufferInfo PosixConsole::bufferInfo() {
  applyResize();
  return {screen_.width(), screen_.height(), screen_.cursor()};
}

void PosixConsole::setCursorShape(CursorShape shape) {
  if (shape.size > 0) cursorSize_ = shape.size;
  screen_.setCursorVisible(shape.visible);
}

void PosixConsole::writeCells(CellPos at, std::string_view bytes, Attribute attr) {
  screen_.write(at, bytes, attr);
}

void PosixConsole::writeText(CellPos at, std::string_view utf8, Attribute attr) {
  screen_.writeText(at, utf8, attr);
}

void PosixConsole::setInputMode(std::uint32_t mode) {
  const bool on = (mode & inputmode::Mouse) != 0;
  if (on == mouseOn_) return;
  mouseOn_ = on;
  if (raw_) sendModes(on ? vt::MouseOn : vt::MouseOff);
}

std::optional<InputRecord> PosixConsole::readInput() {
  if (resizeToTell_) {
    resizeToTell_ = false;
    InputRecord record;
    record.kind = RecordKind::WindowSize;
    return record;
  }
  // What the terminal sent since is read by the wait, which the core calls
  // whenever this finds nothing: no look at the terminal here.
  return decoder_.next();
}

WindowSize PosixConsole::windowSize() {
  applyResize();
  return window_;
}

void PosixConsole::showNotice(std::string_view line) {
  notice_ = line;
}

void PosixConsole::waitInput() {
  while (!decoder_.hasRecord() && !resizeToTell_) {
    // Without a terminal no key can ever come.
    if (!terminal_.hasInput()) endOnHangup();
    pollfd fds[3] = {
        {terminal_.inputFd(), POLLIN, 0}, {resize_.fd(), POLLIN, 0}, {resumedFd(), POLLIN, 0}};
    // Unbounded, except while an ESC waits for the rest of a sequence.
    const int timeout = decoder_.msUntilResolve(monotonicMs());
    const int ready = poll(fds, 3, timeout);
    if (ready < 0 && errno != EINTR) endOnHangup();
    if (ready > 0 && fds[0].revents != 0) {
      pump(true);
    } else if (ready == 0) {
      decoder_.advanceTo(monotonicMs());
    }
    // A resize ends the wait with its record: the core looks at the window
    // again and presents. After a stop the terminal lost its picture: it is
    // painted again while the wait goes on.
    if (!applyResize() && applyResume()) present();
  }
}

void PosixConsole::flushInput() {
  // Read rather than discarded unseen, so the decoder knows which buttons
  // the dropped mouse reports released.
  pump(false);
  decoder_.discardPending();
}

void PosixConsole::present() {
  if (!terminal_.hasOutput() || finished_) return;
  applyResize();
  applyResume();
  if (!notice_.empty() || !noticeShown_.empty()) {
    if (presentNotice()) return;
  }
  std::string out;
  mirror_.render(screen_, out);
  terminal_.write(out);
  // A program started beside the menu may write at any time: nothing the
  // terminal shows is certain while one runs.
  if (children_.reap() > 0) mirror_.forgetPicture(screen_);
}

bool PosixConsole::presentNotice() {
  if (notice_.empty()) {
    // The notice goes: the buffer is sent whole (the notice's present made
    // the mirror forget the picture).
    noticeShown_.clear();
    return false;
  }
  if (noticeShown_ == notice_) return true;
  std::string out(vt::ResetAttributes);
  out += vt::HideCursor;
  out += "\x1b[H";
  out += vt::EraseDisplay;
  const std::string_view line =
      std::string_view(notice_).substr(0, static_cast<std::size_t>(window_.columns));
  for (const char byte : line) out += cellGlyph(static_cast<unsigned char>(byte));
  terminal_.write(out);
  noticeShown_ = notice_;
  mirror_.repaintAll();
  return true;
}

void PosixConsole::suspendForChild() {
  // The child writes to the terminal: it must show the menu's last word first.
  present();
  std::string out(TerminalLeaveSequence);
  vt::appendSgr(out, textAttribute_);
  terminal_.write(out);
  setTerminalHeld(false);
  terminal_.restoreModes();
  raw_ = false;
}

void PosixConsole::resumeAfterChild() {
  terminal_.enterRawMode();
  raw_ = true;
  setTerminalHeld(true);
  sendHeldModes();
  mirror_.forgetPicture(screen_);
}

void PosixConsole::sendHeldModes() const {
  std::string out(vt::PasteOn);
  out += vt::AutowrapOff;
  if (mouseOn_) out += vt::MouseOn;
  sendModes(out);
}

bool PosixConsole::applyResume() {
  // Continued after a stop: the terminal is raw again (the handler saw to
  // that), but the shell had it meanwhile; modes and picture are sent anew.
  if (!takeResumed()) return false;
  if (raw_) sendHeldModes();
  mirror_.repaintAll();
  noticeShown_.clear();
  return true;
}

void PosixConsole::finish() {
  if (finished_) return;
  present();
  finished_ = true;
  if (terminal_.hasOutput()) {
    std::string out(TerminalLeaveSequence);
    // The shell's prompt starts on a line of its own.
    if (screen_.cursor().column != 0) out += "\r\n";
    terminal_.write(out);
  }
  // Keys and mouse reports still queued were meant for the menu, not the shell.
  terminal_.discardInput();
  setTerminalHeld(false);
  terminal_.restoreModes();
  raw_ = false;
  disarmTerminalGuard();
}

void PosixConsole::pump(bool ready) {
  if (!terminal_.hasInput() || finished_) return;
  std::string bytes;
  const bool alive = ready ? terminal_.readReady(bytes) : terminal_.readAvailable(bytes);
  const std::uint64_t now = monotonicMs();
  if (!bytes.empty()) {
    decoder_.feed(bytes, now);
  } else {
    decoder_.advanceTo(now);
  }
  if (!alive) endOnHangup();
}

bool PosixConsole::applyResize() {
  if (!resize_.take()) return false;
  const TerminalSize size = sizeOf(terminal_);
  window_ = {size.columns, size.rows};
  screen_.resize(atLeast(size.columns, LeastWindow.columns), atLeast(size.rows, LeastWindow.rows),
                 textAttribute_);
  mirror_.repaintAll();
  noticeShown_.clear();
  // The core's wait looks at the window again.
  resizeToTell_ = true;
  return true;
}

void PosixConsole::sendModes(std::string_view sequences) const {
  terminal_.write(sequences);
}

}  // namespace menue
