// Button state, wheel and double-click detection for terminal mouse reports.
#include "platform/posix/input/mouse_tracker.h"

namespace menue {

namespace {

constexpr int MotionBit = 32;
constexpr int WheelBit = 64;
constexpr int ExtraButtonBit = 128;
// Windows reports a wheel step as +-120 in the high word of the button state.
constexpr std::uint32_t WheelForward = 120u << 16;
constexpr std::uint32_t WheelBackward = 0xFF88u << 16;

std::uint32_t modifiers(int buttonCode) {
  std::uint32_t state = 0;
  if (buttonCode & 4) state |= keystate::Shift;
  if (buttonCode & 8) state |= keystate::LeftAlt;
  if (buttonCode & 16) state |= keystate::LeftCtrl;
  return state;
}

std::uint32_t buttonBit(int button) {
  switch (button) {
    case 0:
      return mouse::LeftButton;
    case 1:
      return mouse::MiddleButton;
    case 2:
      return mouse::RightButton;
    default:
      return 0;
  }
}

}  // namespace

InputRecord mouseRecord(CellPos at, std::uint32_t buttons, std::uint32_t state,
                        std::uint32_t flags) {
  InputRecord record;
  record.kind = RecordKind::Mouse;
  record.mouse.position = at;
  record.mouse.buttonState = buttons;
  record.mouse.controlKeyState = state;
  record.mouse.eventFlags = flags;
  return record;
}

void MouseTracker::report(int buttonCode, CellPos at, bool release, std::uint64_t nowMs,
                          std::deque<InputRecord>& out) {
  if (at.row < 0) at.row = 0;
  if (at.column < 0) at.column = 0;
  lastAt_ = at;
  if (buttonCode & (MotionBit | ExtraButtonBit)) return;
  const std::uint32_t state = modifiers(buttonCode);
  if (buttonCode & WheelBit) {
    if (release) return;
    const int direction = buttonCode & 3;
    const bool horizontal = direction >= 2;
    const bool forward = horizontal ? direction == 3 : direction == 0;
    out.push_back(mouseRecord(at, held_ | (forward ? WheelForward : WheelBackward), state,
                              horizontal ? mouse::HWheeled : mouse::Wheeled));
    return;
  }
  const std::uint32_t bit = buttonBit(buttonCode & 3);
  if (bit == 0) {
    if (release) releaseAll(at, out);
    return;
  }
  if (release) {
    if (!(held_ & bit)) return;
    held_ &= ~bit;
    out.push_back(mouseRecord(at, held_, state, 0));
    return;
  }
  held_ |= bit;
  const bool isDouble =
      havePress_ && lastButton_ == bit && lastPos_ == at && nowMs - lastPressMs_ <= DoubleClickMs;
  if (isDouble) {
    // As the Windows console does: the second press arrives only as the
    // double click; a third press starts over.
    havePress_ = false;
    out.push_back(mouseRecord(at, held_, state, mouse::DoubleClick));
    return;
  }
  havePress_ = true;
  lastButton_ = bit;
  lastPos_ = at;
  lastPressMs_ = nowMs;
  out.push_back(mouseRecord(at, held_, state, 0));
}

void MouseTracker::releaseAll(CellPos at, std::deque<InputRecord>& out) {
  if (held_ == 0) return;
  held_ = 0;
  out.push_back(mouseRecord(at, 0, 0, 0));
}

}  // namespace menue
