// The per-user history of MenuFile edits: before a change, the text it
// replaces (or that there was none) is kept as one entry, the user's alone,
// the last 50 versions of each MenuFile and at most 10 MB in all. A history
// that cannot be written stops no edit; the entries' fingerprints tell
// where one is missing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "session/edit_history_entry.h"

namespace menue {

inline constexpr int HistoryVersionsPerFile = 50;
inline constexpr std::uint64_t HistoryBytes = std::uint64_t{10} << 20;

class EditHistory {
 public:
  EditHistory(FileSystem& files, Environment& environment, Clock& clock, PathRules rules)
      : files_(files), environment_(environment), clock_(clock), rules_(std::move(rules)) {}

  // Keeps `before` as the state of `path` before a change by `cause` that
  // leaves `afterFingerprint`; the entry's path, or nothing when it could
  // not be written.
  std::optional<std::string> record(const std::string& path, std::string_view cause,
                                    const FileVersion& before, std::string afterFingerprint);
  // Takes back an entry whose change did not happen.
  void forget(const std::string& entryPath);
  // The entries of `path`, oldest first.
  std::vector<HistoryEntry> entriesOf(const std::string& path);
  // Where the history is kept; empty when the environment names no place.
  std::string directory() { return environment_.stateDirectory(); }
  // Whether that place is there and the user's own (makePrivateDirectory).
  bool usable();
  const PathRules& rules() const { return rules_; }

 private:
  struct Listed {
    std::string name;
    std::string key;
    int version = 0;
    std::int64_t seconds = 0;
    std::uint64_t size = 0;
  };
  std::string identity(const std::string& path) const;
  // The first part of the names of a MenuFile's entries.
  std::string keyOf(const std::string& path) const;
  std::vector<Listed> listed(const std::string& directory);
  // Drops the oldest versions beyond the bounds, never `kept`: within a
  // MenuFile by version number, never by the time in the names, which a
  // clock set wrong made.
  void prune(const std::string& directory, const std::string& key, const std::string& kept);

  FileSystem& files_;
  Environment& environment_;
  Clock& clock_;
  PathRules rules_;
};

}  // namespace menue
