// Turns terminal mouse reports into Windows-style mouse records: the button
// state across presses and releases, wheel turns, and double clicks (a
// second press of the same button on the same cell within 500 ms).
#pragma once

#include <cstdint>
#include <deque>

#include "platform/platform.h"

namespace menue {

InputRecord mouseRecord(CellPos at, std::uint32_t buttons, std::uint32_t state,
                        std::uint32_t flags);

class MouseTracker {
 public:
  static constexpr std::uint64_t DoubleClickMs = 500;

  // One report in xterm's terms: the button code (low bits the button,
  // 4 Shift, 8 Alt, 16 Ctrl, 32 motion, 64 wheel), the 0-based cell, and
  // whether it is a release; `releaseAll` for the old encoding, whose
  // release does not say which button. Records go to `out`.
  void report(int buttonCode, CellPos at, bool release, std::uint64_t nowMs,
              std::deque<InputRecord>& out);
  void releaseAll(CellPos at, std::deque<InputRecord>& out);

  // The buttons held now, and where the last report was.
  std::uint32_t held() const { return held_; }
  CellPos lastPosition() const { return lastAt_; }

 private:
  std::uint32_t held_ = 0;
  CellPos lastAt_;
  bool havePress_ = false;
  std::uint32_t lastButton_ = 0;
  CellPos lastPos_;
  std::uint64_t lastPressMs_ = 0;
};

}  // namespace menue
