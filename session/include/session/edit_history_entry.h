// One entry of the edit history as data and as the text of its file: the
// MenuFile's state before a change, and the pair of pure functions that
// write and read it, any path and cause carried byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

// 16 hex digits of a hash of the bytes, for names and fingerprints.
std::string hashText(std::string_view bytes);
// What stood in a file: its size and a hash of its bytes ("-" for no file).
std::string fingerprintOf(std::optional<std::string_view> text);

// The state of a MenuFile on one side of a change.
struct FileVersion {
  enum class Kind { Text, None, NotCopied } kind = Kind::None;
  // Text: the bytes.
  std::string text;
  // fingerprintOf the bytes, also where they were not copied; empty when
  // not known.
  std::string fingerprint = fingerprintOf(std::nullopt);

  static FileVersion of(std::optional<std::string_view> text);
  // A text seen but not kept: unreadable for the user, or only its start
  // was read.
  static FileVersion notCopied(std::string fingerprint);
};

struct HistoryEntry {
  int version = 0;  // of its MenuFile, counting from 1
  WallTime time;
  std::string cause;  // Windows-1252: "Men\xFC+", "--edit", ...
  std::string path;   // the MenuFile's full path
  FileVersion before;
  std::string afterFingerprint;
  // Where the entry is kept.
  std::string entryPath;
  std::uint64_t entrySize = 0;
};

// The text of an entry's file: header lines (path, time and cause with
// every line end, control byte and '%' as %XX) and the text before.
std::string entryText(const HistoryEntry& entry);
// The entry a file's text holds (version, entryPath and entrySize left
// empty); nothing for a text entryText did not write, or one cut short.
std::optional<HistoryEntry> parseEntry(std::string_view text);

}  // namespace menue
