// Decoding console records into the Key and the click data, as one table.
#include <gtest/gtest.h>

#include "console/input.h"
#include "tests/support/input_records.h"

namespace menue {
namespace {

InputRecord mouseAt(std::uint32_t buttons, std::uint32_t flags) {
  return mouseRecord(CellPos{4, 9}, buttons, flags);
}

struct Case {
  const char* name;
  InputRecord record;
  std::uint32_t buttonsBefore;
  InputEvent::Kind kind;
  std::string key;
  int clickKind;
  int clickButton;
};

std::string ext(int scan) {
  return std::string{'\0', static_cast<char>(scan)};
}

TEST(InputDecode, RecordsToKeysAndClicks) {
  using K = InputEvent::Kind;
  constexpr auto Alt = keystate::LeftAlt;
  constexpr auto Caps = keystate::CapsLock;
  constexpr auto Shift = keystate::Shift;
  const Case cases[] = {
      {"plain letter", keyRecord('a', 0x1E), 0, K::Key, "a", 0, 0},
      {"key release skipped", keyRecord('a', 0x1E, 0, false), 0, K::Nothing, "", 0, 0},
      {"enter", keyRecord(13, 0x1C), 0, K::Key, "\r", 0, 0},
      {"ctrl+c is a character", keyRecord(3, 0x2E, keystate::LeftCtrl), 0, K::Key, "\x03", 0, 0},
      {"alt+f is extended", keyRecord('f', 0x21, Alt), 0, K::Key, ext(0x21), 0, 0},
      {"altgr+q gives no at sign", keyRecord('@', 0x10, keystate::RightAlt | keystate::LeftCtrl), 0,
       K::Key, ext(0x10), 0, 0},
      {"alt+digit keeps its character", keyRecord('1', 0x02, Alt), 0, K::Key, "1", 0, 0},
      {"caps lock without shift", keyRecord('!', 0x02, Caps), 0, K::Key, "1", 0, 0},
      {"caps lock with shift", keyRecord('1', 0x02, Caps | Shift), 0, K::Key, "!", 0, 0},
      {"caps lock slash", keyRecord('?', 0x35, Caps), 0, K::Key, "/", 0, 0},
      {"caps lock other character", keyRecord('x', 0x02, Caps), 0, K::Key, "x", 0, 0},
      {"caps lock letter untouched", keyRecord('A', 0x1E, Caps), 0, K::Key, "A", 0, 0},
      {"no caps lock", keyRecord('!', 0x02, Shift), 0, K::Key, "!", 0, 0},
      {"cursor down", keyRecord(0, 80), 0, K::Key, ext(80), 0, 0},
      {"f12", keyRecord(0, 88), 0, K::Key, ext(88), 0, 0},
      {"shift alone", keyRecord(0, 0x2A), 0, K::Nothing, "", 0, 0},
      {"ctrl alone", keyRecord(0, 0x1D), 0, K::Nothing, "", 0, 0},
      {"caps lock alone", keyRecord(0, 0x3A), 0, K::Nothing, "", 0, 0},
      {"num lock alone", keyRecord(0, 0x45), 0, K::Nothing, "", 0, 0},
      {"wine escape", keyRecord(0, 0x01), 0, K::Key, "\x1b", 0, 0},
      {"left press", mouseAt(1, 0), 0, K::Click, "", ClickPress, 1},
      {"right press", mouseAt(2, 0), 0, K::Click, "", ClickPress, 2},
      {"right press while left held", mouseAt(3, 0), 1, K::Click, "", ClickPress, 2},
      {"release skipped", mouseAt(0, 0), 1, K::Nothing, "", 0, 0},
      {"middle press skipped", mouseAt(4, 0), 0, K::Nothing, "", 0, 0},
      {"movement", mouseAt(0, mouse::Moved), 0, K::Movement, "", 0, 0},
      {"left double", mouseAt(1, mouse::DoubleClick), 0, K::Click, "", ClickDouble, 1},
      {"both double", mouseAt(3, mouse::DoubleClick), 0, K::Click, "", ClickDouble, 3},
      {"wheel with button", mouseAt(1, mouse::Wheeled), 1, K::Click, "", ClickDouble, 1},
      {"wheel without button", mouseAt(0, mouse::Wheeled), 0, K::Nothing, "", 0, 0},
      {"other record", InputRecord{}, 0, K::Nothing, "", 0, 0},
  };
  for (const Case& c : cases) {
    InputState state;
    state.mouseOn = true;
    state.lastButtons = c.buttonsBefore;
    InputEvent event = decodeRecord(c.record, state);
    EXPECT_EQ(event.kind, c.kind) << c.name;
    EXPECT_EQ(event.key, c.key) << c.name;
    EXPECT_EQ(event.click.kind, c.clickKind) << c.name;
    EXPECT_EQ(event.click.button, c.clickButton) << c.name;
    if (c.record.kind == RecordKind::Mouse) {
      EXPECT_EQ(state.lastButtons, c.record.mouse.buttonState) << c.name;
    }
    if (event.kind == K::Click) {
      EXPECT_EQ(event.click.row, 5) << c.name;
      EXPECT_EQ(event.click.column, 10) << c.name;
    } else {
      EXPECT_EQ(event.click.row, 1) << c.name;
      EXPECT_EQ(event.click.column, 0) << c.name;
    }
  }
}

TEST(InputDecode, MouseRecordsAreSkippedWhileTheMouseIsOff) {
  InputState state;
  EXPECT_EQ(decodeRecord(mouseAt(1, 0), state).kind, InputEvent::Kind::Nothing);
  EXPECT_EQ(state.lastButtons, 0u);
}

TEST(InputDecode, ScanCodeOfExtendedKeysOnly) {
  EXPECT_EQ(scanCodeOf(ext(72)), 72);
  EXPECT_EQ(scanCodeOf("a"), -1);
  EXPECT_EQ(scanCodeOf(""), -1);
  EXPECT_EQ(scanCodeOf(std::string("\0", 1)), -1);
}

}  // namespace
}  // namespace menue
