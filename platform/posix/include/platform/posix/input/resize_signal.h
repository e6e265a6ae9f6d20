// SIGWINCH through a self-pipe, so that a wait in poll(2) wakes on a resize.
#pragma once

namespace menue {

class ResizeSignal {
 public:
  ResizeSignal();
  ~ResizeSignal();
  ResizeSignal(const ResizeSignal&) = delete;
  ResizeSignal& operator=(const ResizeSignal&) = delete;

  // Readable after a resize; -1 when the pipe could not be made.
  int fd() const;
  // Whether a resize arrived since the last call; empties the pipe.
  bool take();
};

}  // namespace menue
