// Fuzzes the terminal input decoder: arbitrary bytes in arbitrary reads,
// with time passing between them, the marks of a bracketed paste among them.
// No crash, a bounded backlog, every record shaped as a console record must
// be, and no paste left open once it has been quiet long enough.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/posix/input/input_decoder.h"

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
  } else if (record.kind == RecordKind::Paste) {
    check(!record.paste.empty() && record.paste.size() <= InputDecoder::MaxPasteBytes);
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
// (0-7 steps of 20 ms, or of 200 ms when bit 4 of the length is set); an odd
// time step also lets a read find nothing, and the longest step flushes the
// input. A byte 0xFF in a chunk stands for the start of a paste, 0xFE for
// its end, so that short inputs reach them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputDecoder decoder;
  std::uint64_t now = 0;
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t control = data[i++];
    const std::size_t length = control & 0x1F;
    const unsigned step = control >> 5;
    now += step * (length & 0x10 ? 200 : 20);
    if (step & 1) decoder.advanceTo(now);
    const std::size_t take = length < size - i ? length : size - i;
    std::string bytes;
    for (std::size_t k = i; k < i + take; ++k) {
      if (data[k] == 0xFF) {
        bytes += "\x1b[200~";
      } else if (data[k] == 0xFE) {
        bytes += "\x1b[201~";
      } else {
        bytes += static_cast<char>(data[k]);
      }
    }
    decoder.feed(bytes, now);
    i += take;
    check(decoder.pendingBytes() <= InputDecoder::MaxSequenceLength + 8);
    const int wait = decoder.msUntilResolve(now);
    check(wait >= -1 && wait <= static_cast<int>(InputDecoder::PasteQuietMs));
    while (auto record = decoder.next()) checkRecord(*record);
    if (step == 7) decoder.discardPending();
  }
  decoder.advanceTo(now + InputDecoder::PasteQuietMs);
  while (auto record = decoder.next()) checkRecord(*record);
  check(decoder.msUntilResolve(now + InputDecoder::PasteQuietMs) == -1);
  return 0;
}
