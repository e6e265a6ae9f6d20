// Decoding console records into the Key and the click data, as one table.
#include <gtest/gtest.h>

#include "console/input_decode.h"
#include "tests/support/input_records.h"

namespace menue {
namespace {

InputRecord mouseAt(std::uint32_t buttons, std::uint32_t flags) {
  return mouseRecord(CellPos{4, 9}, buttons, flags);
}

struct Case {
  const char* name;
  InputRecord record;
  std::uint32_t buttonsBefore = 0;
  InputEvent::Kind kind = InputEvent::Kind::Nothing;
  Key key{};
  ClickKind clickKind = ClickKind::None;
  std::uint32_t clickButton = 0;
};

TEST(InputDecode, RecordsToKeysAndClicks) {
  using K = InputEvent::Kind;
  constexpr auto Alt = keystate::LeftAlt;
  constexpr auto Caps = keystate::CapsLock;
  constexpr auto Shift = keystate::Shift;
  const Case cases[] = {
      {.name = "plain letter",
       .record = keyRecord('a', 0x1E),
       .kind = K::Key,
       .key = Key::character('a')},
      {.name = "key release skipped", .record = keyRecord('a', 0x1E, 0, false), .kind = K::Nothing},
      {.name = "enter", .record = keyRecord(13, 0x1C), .kind = K::Key, .key = keys::Enter},
      {.name = "ctrl+c is a character",
       .record = keyRecord(3, 0x2E, keystate::LeftCtrl),
       .kind = K::Key,
       .key = Key::character(3)},
      {.name = "alt+f is extended",
       .record = keyRecord('f', 0x21, Alt),
       .kind = K::Key,
       .key = Key::extended(0x21)},
      {.name = "altgr+q gives no at sign",
       .record = keyRecord('@', 0x10, keystate::RightAlt | keystate::LeftCtrl),
       .kind = K::Key,
       .key = Key::extended(0x10)},
      {.name = "alt+digit keeps its character",
       .record = keyRecord('1', 0x02, Alt),
       .kind = K::Key,
       .key = Key::character('1')},
      {.name = "caps lock without shift",
       .record = keyRecord('!', 0x02, Caps),
       .kind = K::Key,
       .key = Key::character('1')},
      {.name = "caps lock with shift",
       .record = keyRecord('1', 0x02, Caps | Shift),
       .kind = K::Key,
       .key = Key::character('!')},
      {.name = "caps lock slash",
       .record = keyRecord('?', 0x35, Caps),
       .kind = K::Key,
       .key = Key::character('/')},
      {.name = "caps lock other character",
       .record = keyRecord('x', 0x02, Caps),
       .kind = K::Key,
       .key = Key::character('x')},
      {.name = "caps lock letter untouched",
       .record = keyRecord('A', 0x1E, Caps),
       .kind = K::Key,
       .key = Key::character('A')},
      {.name = "no caps lock",
       .record = keyRecord('!', 0x02, Shift),
       .kind = K::Key,
       .key = Key::character('!')},
      {.name = "cursor down", .record = keyRecord(0, 80), .kind = K::Key, .key = Key::extended(80)},
      {.name = "f12", .record = keyRecord(0, 88), .kind = K::Key, .key = Key::extended(88)},
      {.name = "shift alone", .record = keyRecord(0, 0x2A), .kind = K::Nothing},
      {.name = "ctrl alone", .record = keyRecord(0, 0x1D), .kind = K::Nothing},
      {.name = "caps lock alone", .record = keyRecord(0, 0x3A), .kind = K::Nothing},
      {.name = "num lock alone", .record = keyRecord(0, 0x45), .kind = K::Nothing},
      {.name = "wine escape", .record = keyRecord(0, 0x01), .kind = K::Key, .key = keys::Escape},
      {.name = "left press",
       .record = mouseAt(1, 0),
       .kind = K::Click,
       .clickKind = ClickKind::Press,
       .clickButton = 1},
      {.name = "right press",
       .record = mouseAt(2, 0),
       .kind = K::Click,
       .clickKind = ClickKind::Press,
       .clickButton = 2},
      {.name = "right press while left held",
       .record = mouseAt(3, 0),
       .buttonsBefore = 1,
       .kind = K::Click,
       .clickKind = ClickKind::Press,
       .clickButton = 2},
      {.name = "release skipped", .record = mouseAt(0, 0), .buttonsBefore = 1, .kind = K::Nothing},
      {.name = "middle press skipped", .record = mouseAt(4, 0), .kind = K::Nothing},
      {.name = "movement", .record = mouseAt(0, mouse::Moved), .kind = K::Movement},
      {.name = "left double",
       .record = mouseAt(1, mouse::DoubleClick),
       .kind = K::Click,
       .clickKind = ClickKind::Double,
       .clickButton = 1},
      {.name = "both double",
       .record = mouseAt(3, mouse::DoubleClick),
       .kind = K::Click,
       .clickKind = ClickKind::Double,
       .clickButton = 3},
      {.name = "wheel with button",
       .record = mouseAt(1, mouse::Wheeled),
       .buttonsBefore = 1,
       .kind = K::Click,
       .clickKind = ClickKind::Double,
       .clickButton = 1},
      {.name = "wheel without button", .record = mouseAt(0, mouse::Wheeled), .kind = K::Nothing},
      {.name = "other record", .record = InputRecord{}, .kind = K::Nothing},
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

}  // namespace
}  // namespace menue
