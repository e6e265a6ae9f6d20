// Opening the terminal, switching its modes, and reading and writing it.
#include "platform/posix/output/terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace menue {

namespace {

constexpr std::size_t MaxReadAtOnce = 65536;

void setModes(int fd, const termios& modes) {
  while (tcsetattr(fd, TCSADRAIN, &modes) != 0 && errno == EINTR) {
  }
}

}  // namespace

Terminal::Terminal() {
  inFd_ = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (inFd_ < 0 && isatty(STDIN_FILENO)) inFd_ = fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 3);
  if (isatty(STDOUT_FILENO)) {
    outFd_ = STDOUT_FILENO;
  } else if (inFd_ >= 0) {
    outFd_ = open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
    ownOut_ = outFd_ >= 0;
  }
  if (outFd_ < 0 && isatty(STDERR_FILENO)) outFd_ = STDERR_FILENO;
  termios modes{};
  if (modeFd() >= 0 && tcgetattr(modeFd(), &modes) == 0) original_ = modes;
}

Terminal::~Terminal() {
  if (inFd_ >= 0) close(inFd_);
  if (ownOut_) close(outFd_);
}

void Terminal::write(std::string_view bytes) const {
  if (outFd_ < 0) return;
  while (!bytes.empty()) {
    const ssize_t n = ::write(outFd_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // Someone made the descriptor non-blocking: wait until it takes more.
      pollfd p{outFd_, POLLOUT, 0};
      if (poll(&p, 1, -1) < 0 && errno != EINTR) return;
    } else {
      return;
    }
  }
}

bool Terminal::readAvailable(std::string& out) const {
  if (inFd_ < 0) return false;
  for (;;) {
    pollfd p{inFd_, POLLIN, 0};
    const int ready = poll(&p, 1, 0);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return true;
    if (!(p.revents & POLLIN)) return false;  // hung up or broken
    return readReady(out);
  }
}

bool Terminal::readReady(std::string& out) const {
  if (inFd_ < 0) return false;
  char chunk[4096];
  std::size_t taken = 0;
  for (;;) {
    const ssize_t n = read(inFd_, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || (n < 0 && errno != EAGAIN)) return false;
    if (n < 0) return true;
    out.append(chunk, static_cast<std::size_t>(n));
    taken += static_cast<std::size_t>(n);
    // A full chunk may have left more behind; a short one took it all.
    if (static_cast<std::size_t>(n) < sizeof chunk || taken >= MaxReadAtOnce) return true;
    pollfd p{inFd_, POLLIN, 0};
    if (poll(&p, 1, 0) <= 0) return true;
    if (!(p.revents & POLLIN)) return false;
  }
}

void Terminal::discardInput() const {
  if (inFd_ >= 0) tcflush(inFd_, TCIFLUSH);
}

std::optional<TerminalSize> Terminal::size() const {
  winsize ws{};
  for (int fd : {outFd_, inFd_}) {
    if (fd >= 0 && ioctl(fd, TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0 && ws.ws_row > 0) {
      return TerminalSize{ws.ws_col, ws.ws_row};
    }
  }
  return std::nullopt;
}

std::optional<termios> Terminal::rawModes() const {
  if (!original_) return std::nullopt;
  termios raw = *original_;
  raw.c_iflag &=
      ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
  raw.c_cflag |= CS8;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  return raw;
}

void Terminal::enterRawMode() const {
  if (const auto raw = rawModes()) setModes(modeFd(), *raw);
}

void Terminal::restoreModes() const {
  if (original_) setModes(modeFd(), *original_);
}

}  // namespace menue
