// Console input records for the tests, shaped as the Windows console sends them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/platform.h"

namespace menue {

inline InputRecord keyRecord(char32_t character, std::uint16_t scan = 0, std::uint32_t state = 0,
                             bool down = true) {
  InputRecord record;
  record.kind = RecordKind::Key;
  record.key = KeyRecord{down, 0, scan, character, state};
  return record;
}

// Pasted text in UTF-8, as a backend delivers a paste.
inline InputRecord pasteRecord(std::string text) {
  InputRecord record;
  record.kind = RecordKind::Paste;
  record.paste = std::move(text);
  return record;
}

// `position` is 0-based, as in the records.
inline InputRecord mouseRecord(CellPos position, std::uint32_t buttons, std::uint32_t flags) {
  InputRecord record;
  record.kind = RecordKind::Mouse;
  record.mouse = MouseRecord{position, buttons, 0, flags};
  return record;
}

}  // namespace menue
