// The terminal input decoder: bytes from the terminal in, console input
// records shaped like the Windows console's out. Pure: it reads no clock
// and no file; the caller says what time it is.
//
// Time: bytes fed together count as arriving together, so an escape
// sequence that was read late is never split. Only advanceTo, called when a
// read found nothing more, lets a lone ESC resolve after the quiet time.
//
// A bracketed paste (ESC [ 200 ~ text ESC [ 201 ~) becomes one Paste
// record: nothing in it is a key. A paste whose end never comes ends after
// its own quiet time; what it holds beyond MaxPasteBytes is dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/posix/input/mouse_tracker.h"

namespace menue {

class InputDecoder {
 public:
  // How long an ESC, or a sequence begun, waits for its next byte before
  // the ESC counts alone. Over ssh a key's bytes may arrive a good way
  // apart; a byte that cannot go on a sequence decides at once.
  static constexpr std::uint64_t EscapeQuietMs = 150;
  // The longest parameter part of a control sequence taken apart.
  static constexpr std::size_t MaxSequenceLength = 32;
  // How long a paste begun waits for more of it before it counts as ended.
  // Longer than a key's: the rest of a paste read too early would arrive as
  // keys, its line ends as Enter.
  static constexpr std::uint64_t PasteQuietMs = 1000;
  // The most bytes of one paste kept (the text as the terminal sends it).
  static constexpr std::size_t MaxPasteBytes = 65536;

  void feed(std::string_view bytes, std::uint64_t nowMs);
  void advanceTo(std::uint64_t nowMs);
  // Milliseconds until the pending ESC, or a paste begun, resolves (0 when
  // due); -1 when nothing is pending and waiting needs no limit.
  int msUntilResolve(std::uint64_t nowMs) const;

  bool hasRecord() const { return !records_.empty(); }
  std::optional<InputRecord> next();
  // Drops undecoded bytes and undelivered records, but not pastes: Paste
  // records, a paste begun and the start of one stay. The mouse's button state
  // and its last press stay: a double click may span a flush. When dropped
  // records changed the buttons (a quick click's release), one movement
  // record with the buttons as they are remains, so that whoever reads the
  // records does not take the next press for no change.
  void discardPending();
  std::size_t pendingBytes() const { return pending_.size(); }

 private:
  void decode(bool quiet);
  std::size_t decodeOne(std::string_view bytes, bool quiet);
  std::size_t decodeEscape(std::string_view bytes, bool quiet);
  std::size_t decodeCsi(std::string_view bytes);
  std::size_t decodeSs3(std::string_view bytes);
  std::size_t decodeKey(std::string_view bytes, std::uint32_t extraState);
  std::size_t decodeUtf8(std::string_view bytes, std::uint32_t extraState);
  std::size_t takePaste(std::string_view bytes, bool quiet);
  void endPaste();
  void dispatchCsi(std::string_view parameters, char final);
  void pushKey(const InputRecord& record) { records_.push_back(record); }

  std::string pending_;
  std::deque<InputRecord> records_;
  MouseTracker mouse_;
  std::uint64_t nowMs_ = 0;
  std::uint64_t lastByteMs_ = 0;
  std::uint32_t deliveredButtons_ = 0;  // as the last mouse record handed out said
  bool inPaste_ = false;
  std::string paste_;  // the bytes of the paste begun, as sent
};

}  // namespace menue
