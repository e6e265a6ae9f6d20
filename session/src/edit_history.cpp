// The history's entries: one file each in the user's state directory,
// named by a key of the MenuFile's path, the version and the time, made
// anew (never over another) for the user alone; one cut short by a killed
// writer fails its fingerprint and counts as none.
#include "session/edit_history.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>

#include "menufile/menu_load.h"
#include "platform/letters.h"
#include "session/path_text.h"

namespace menue {

namespace {

// More than the header lines of an entry take beside the path.
constexpr std::size_t EntryHeaderBytes = std::size_t{64} << 10;

}  // namespace

// The path as the file system tells files apart: one MenuFile however the
// case of its letters was typed where names ignore it.
std::string EditHistory::identity(const std::string& path) const {
  if (!rules_.namesIgnoreCase) return path;
  std::string folded = path;
  for (char& c : folded) c = asciiLower(c);
  return folded;
}

std::string EditHistory::keyOf(const std::string& path) const {
  return hashText(identity(path));
}

namespace {

std::string entryName(const std::string& key, int version, std::int64_t seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "-%06d-%lld", version, static_cast<long long>(seconds));
  return key + text;
}

}  // namespace

std::vector<EditHistory::Listed> EditHistory::listed(const std::string& directory) {
  std::vector<Listed> all;
  for (ListedFile& file : files_.listDirectory(directory)) {
    // KEY-VERSION-SECONDS; anything else is no entry of ours.
    const std::string& name = file.name;
    if (name.size() < 26 || name[16] != '-' || name[23] != '-') continue;
    Listed entry{name, name.substr(0, 16), std::atoi(name.substr(17, 6).c_str()),
                 std::atoll(name.substr(24).c_str()), file.size};
    if (entry.version > 0) all.push_back(std::move(entry));
  }
  return all;
}

bool EditHistory::usable() {
  const std::string place = directory();
  return !place.empty() && files_.makePrivateDirectory(place) == code::Success;
}

std::optional<std::string> EditHistory::record(const std::string& path, std::string_view cause,
                                               const FileVersion& before,
                                               std::string afterFingerprint) {
  const std::string directory = environment_.stateDirectory();
  if (directory.empty() || files_.makePrivateDirectory(directory) != code::Success) {
    return std::nullopt;
  }
  HistoryEntry entry;
  entry.path = path;
  entry.cause = std::string(cause);
  entry.before = before;
  entry.afterFingerprint = std::move(afterFingerprint);
  entry.time = clock_.now();
  const std::string key = keyOf(path);
  int last = 0;
  for (const Listed& listed : listed(directory)) {
    if (listed.key == key) last = std::max(last, listed.version);
  }
  const std::string text = entryText(entry);
  // A name another writer took meanwhile is left to it: the next one.
  for (int version = last + 1; version <= last + 3; ++version) {
    const std::string entryPath =
        joinPath(directory, entryName(key, version, entry.time.seconds), rules_);
    // The user's alone, never through a link, and never over another entry.
    const PlatformCode written = files_.createNewFile(entryPath, text);
    if (written == code::FileExists || written == code::AlreadyExists) continue;
    if (written != code::Success) return std::nullopt;
    prune(directory, key, entryName(key, version, entry.time.seconds));
    return entryPath;
  }
  return std::nullopt;
}

void EditHistory::forget(const std::string& entryPath) {
  files_.deleteFile(entryPath);
}

void EditHistory::prune(const std::string& directory, const std::string& key,
                        const std::string& kept) {
  // Each MenuFile's entries, oldest version first.
  std::map<std::string, std::deque<Listed>> byKey;
  std::uint64_t total = 0;
  for (Listed& listed : listed(directory)) {
    total += listed.size;
    byKey[listed.key].push_back(std::move(listed));
  }
  for (auto& [name, entries] : byKey) {
    std::sort(entries.begin(), entries.end(),
              [](const Listed& a, const Listed& b) { return a.version < b.version; });
  }
  const auto dropOldest = [&](std::deque<Listed>& entries) {
    // The entry just written stays, however large; it is its file's newest.
    if (entries.empty() || entries.front().name == kept) return false;
    files_.deleteFile(joinPath(directory, entries.front().name, rules_));
    total -= entries.front().size;
    entries.pop_front();
    return true;
  };
  std::deque<Listed>& own = byKey[key];
  while (own.size() > static_cast<std::size_t>(HistoryVersionsPerFile) && dropOldest(own)) {
  }
  // Beyond the bytes: each time one MenuFile's oldest version, that of
  // the MenuFile whose oldest version is the earliest. A wrong clock can
  // only choose another MenuFile then, never a file's newer version.
  while (total > HistoryBytes) {
    std::deque<Listed>* earliest = nullptr;
    for (auto& [name, entries] : byKey) {
      if (!entries.empty() && entries.front().name != kept &&
          (earliest == nullptr || entries.front().seconds < earliest->front().seconds)) {
        earliest = &entries;
      }
    }
    if (earliest == nullptr || !dropOldest(*earliest)) break;
  }
}

std::vector<HistoryEntry> EditHistory::entriesOf(const std::string& path) {
  std::vector<HistoryEntry> entries;
  const std::string directory = environment_.stateDirectory();
  // Entries another could have planted are no history of the user's.
  if (directory.empty() || files_.makePrivateDirectory(directory) != code::Success) return entries;
  const std::string key = keyOf(path);
  for (const Listed& listed : listed(directory)) {
    if (listed.key != key) continue;
    const std::string entryPath = joinPath(directory, listed.name, rules_);
    // An entry holds at most a MenuFile as the loader reads it, and its header.
    FileStart start;
    if (files_.readFileStart(entryPath, MaxMenuFileBytes + EntryHeaderBytes, start) !=
            code::Success ||
        !start.whole) {
      continue;
    }
    std::optional<HistoryEntry> entry = parseEntry(start.text);
    if (!entry || identity(entry->path) != identity(path)) continue;
    entry->version = listed.version;
    entry->entryPath = entryPath;
    entry->entrySize = listed.size;
    entries.push_back(std::move(*entry));
  }
  std::sort(entries.begin(), entries.end(),
            [](const HistoryEntry& a, const HistoryEntry& b) { return a.version < b.version; });
  return entries;
}

}  // namespace menue
