// Fuzzes the terminal input decoder: arbitrary bytes in arbitrary reads,
// with time passing between them. No crash, a bounded backlog, and every
// record shaped as a console record must be.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "input/input_decoder.h"

namespace {

using namespace menue;

constexpr std::uint32_t KnownKeyState = keystate::RightAlt | keystate::LeftAlt |
                                        keystate::RightCtrl | keystate::LeftCtrl | keystate::Shift |
                                        keystate::Enhanced;
constexpr std::uint32_t KnownButtons = mouse::LeftButton | mouse::RightButton | mouse::MiddleButton;

void check(bool condition) {
  if (!condition) std::abort();
}

void checkRecord(const InputRecord& record) {
  if (record.kind == RecordKind::Key) {
    const KeyRecord& key = record.key;
    check(key.keyDown);
    check((key.controlKeyState & ~KnownKeyState) == 0);
    // A key without a character is an extended key and needs its scan code.
    check(key.character != 0 || key.scanCode != 0);
  } else {
    check(record.kind == RecordKind::Mouse);
    const MouseRecord& m = record.mouse;
    check(m.position.row >= 0 && m.position.column >= 0);
    check((m.buttonState & 0xFFFF & ~KnownButtons) == 0);
    check(m.eventFlags == 0 || m.eventFlags == mouse::DoubleClick || m.eventFlags == mouse::Moved ||
          m.eventFlags == mouse::Wheeled || m.eventFlags == mouse::HWheeled);
    check((m.eventFlags & (mouse::Wheeled | mouse::HWheeled)) != 0 || (m.buttonState >> 16) == 0);
  }
}

}  // namespace

// Input: chunks of [control byte][bytes]; the control byte's low bits give
// the chunk length (0-31), its high bits the time that passes before it
// (0-7 steps of 20 ms); an odd time step also lets a read find nothing, and
// the longest step flushes the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputDecoder decoder;
  std::uint64_t now = 0;
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t control = data[i++];
    const std::size_t length = control & 0x1F;
    const unsigned step = control >> 5;
    now += step * 20;
    if (step & 1) decoder.advanceTo(now);
    const std::size_t take = length < size - i ? length : size - i;
    decoder.feed(std::string_view(reinterpret_cast<const char*>(data + i), take), now);
    i += take;
    check(decoder.pendingBytes() <= InputDecoder::MaxSequenceLength + 8);
    const int wait = decoder.msUntilResolve(now);
    check(wait >= -1 && wait <= static_cast<int>(InputDecoder::EscapeQuietMs));
    while (auto record = decoder.next()) checkRecord(*record);
    if (step == 7) decoder.discardPending();
  }
  decoder.advanceTo(now + InputDecoder::EscapeQuietMs);
  while (auto record = decoder.next()) checkRecord(*record);
  check(decoder.msUntilResolve(now + InputDecoder::EscapeQuietMs) == -1);
  return 0;
}
