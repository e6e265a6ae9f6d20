// The history's entries: one file each in the user's state directory,
// named by a key of the MenuFile's path, the version and the time, holding
// a few header lines and the replaced text; written by the rename of a
// finished file, so a killed writer leaves none half written.
#include "session/edit_history.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "menufile/menu_load.h"
#include "session/path_text.h"

namespace menue {

namespace {

constexpr std::string_view Magic = "menue-verlauf 1";
// More than the header lines of an entry take beside the path.
constexpr std::size_t EntryHeaderBytes = std::size_t{64} << 10;

std::uint64_t hashOf(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string hex16(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace

// The path as the file system tells files apart: one MenuFile however the
// case of its letters was typed where names ignore it.
std::string EditHistory::identity(const std::string& path) const {
  if (!rules_.namesIgnoreCase) return path;
  std::string folded = path;
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::string EditHistory::keyOf(const std::string& path) const {
  return hex16(hashOf(identity(path)));
}

namespace {

std::string entryName(const std::string& key, int version, std::int64_t seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "-%06d-%lld", version, static_cast<long long>(seconds));
  return key + text;
}

std::string kindWord(FileVersion::Kind kind) {
  switch (kind) {
    case FileVersion::Kind::Text:
      return "text";
    case FileVersion::Kind::None:
      return "none";
    case FileVersion::Kind::NotCopied:
      break;
  }
  return "uncopied";
}

std::string entryText(const HistoryEntry& entry) {
  std::string text(Magic);
  text += "\npath " + entry.path;
  text += "\ntime " + std::to_string(entry.time.seconds) + " " + entry.time.local;
  text += "\ncause " + entry.cause;
  text += "\nbefore " + kindWord(entry.before.kind) + " " + entry.before.fingerprint;
  text += "\nafter " + entry.afterFingerprint;
  text += "\n\n";
  if (entry.before.kind == FileVersion::Kind::Text) text += entry.before.text;
  return text;
}

// The value after "NAME " of the header line at `pos`; pos moves past it.
bool headerLine(const std::string& text, std::size_t& pos, std::string_view name,
                std::string& value) {
  const std::size_t end = text.find('\n', pos);
  if (end == std::string::npos) return false;
  const std::string_view line(text.data() + pos, end - pos);
  pos = end + 1;
  if (line.size() < name.size() + 1 || line.substr(0, name.size()) != name ||
      line[name.size()] != ' ') {
    return false;
  }
  value = std::string(line.substr(name.size() + 1));
  return true;
}

std::optional<HistoryEntry> parseEntry(const std::string& text) {
  if (text.compare(0, Magic.size() + 1, std::string(Magic) + "\n") != 0) return std::nullopt;
  std::size_t pos = Magic.size() + 1;
  HistoryEntry entry;
  std::string time;
  std::string before;
  if (!headerLine(text, pos, "path", entry.path) || !headerLine(text, pos, "time", time) ||
      !headerLine(text, pos, "cause", entry.cause) || !headerLine(text, pos, "before", before) ||
      !headerLine(text, pos, "after", entry.afterFingerprint)) {
    return std::nullopt;
  }
  if (pos >= text.size() || text[pos] != '\n') return std::nullopt;
  ++pos;
  const std::size_t blank = time.find(' ');
  entry.time.seconds = std::atoll(time.substr(0, blank).c_str());
  entry.time.local = blank == std::string::npos ? std::string() : time.substr(blank + 1);
  const std::size_t cut = before.find(' ');
  const std::string kind = before.substr(0, cut);
  entry.before.fingerprint = cut == std::string::npos ? std::string() : before.substr(cut + 1);
  if (kind == "text") {
    entry.before.kind = FileVersion::Kind::Text;
    entry.before.text = text.substr(pos);
  } else {
    entry.before.kind = kind == "none" ? FileVersion::Kind::None : FileVersion::Kind::NotCopied;
  }
  return entry;
}

}  // namespace

std::string fingerprintOf(std::optional<std::string_view> text) {
  if (!text) return "-";
  return std::to_string(text->size()) + ":" + hex16(hashOf(*text));
}

FileVersion FileVersion::of(std::optional<std::string_view> text) {
  FileVersion version;
  version.fingerprint = fingerprintOf(text);
  if (text) {
    version.kind = Kind::Text;
    version.text = std::string(*text);
  }
  return version;
}

FileVersion FileVersion::notCopied(std::string fingerprint) {
  FileVersion version;
  version.kind = Kind::NotCopied;
  version.fingerprint = std::move(fingerprint);
  return version;
}

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
    const PlatformCode written = files_.replaceFile(entryPath, std::nullopt, text);
    if (written == code::FileInvalid) continue;
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
  std::vector<Listed> all = listed(directory);
  // Oldest first: by time, and within one file by version.
  std::sort(all.begin(), all.end(), [](const Listed& a, const Listed& b) {
    if (a.seconds != b.seconds) return a.seconds < b.seconds;
    return a.version < b.version;
  });
  int ofKey = static_cast<int>(std::count_if(
      all.begin(), all.end(), [&key](const Listed& listed) { return listed.key == key; }));
  std::uint64_t total = 0;
  for (const Listed& listed : all) total += listed.size;
  for (const Listed& listed : all) {
    const bool tooMany = listed.key == key && ofKey > HistoryVersionsPerFile;
    if (!tooMany && total <= HistoryBytes) continue;
    // The entry just written stays, however large.
    if (listed.name == kept) continue;
    files_.deleteFile(joinPath(directory, listed.name, rules_));
    total -= listed.size;
    if (listed.key == key) --ofKey;
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
