// The entry format: a magic line, one header line per field, an empty
// line and the text before the change. The fields that come from outside
// (path, time, cause) are encoded so that no byte of theirs can end a
// line; the stored fingerprint proves the text whole.
#include "session/edit_history_entry.h"

#include <cstdio>

namespace menue {

namespace {

constexpr std::string_view Magic = "menue-verlauf 2\n";
// Entries written before the fields were encoded: the same lines, raw.
constexpr std::string_view RawMagic = "menue-verlauf 1\n";

std::uint64_t hashOf(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string encoded(std::string_view field) {
  std::string out;
  for (const char c : field) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || byte == '%') {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::string> decoded(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '%') {
      out += field[i];
      continue;
    }
    const int high = i + 2 < field.size() ? hexDigit(field[i + 1]) : -1;
    const int low = high >= 0 ? hexDigit(field[i + 2]) : -1;
    if (low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
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

// The value after "NAME " of the header line at `pos`; pos moves past it.
bool headerLine(std::string_view text, std::size_t& pos, std::string_view name,
                std::string& value) {
  const std::size_t end = text.find('\n', pos);
  if (end == std::string_view::npos) return false;
  const std::string_view line = text.substr(pos, end - pos);
  pos = end + 1;
  if (line.size() < name.size() + 1 || line.substr(0, name.size()) != name ||
      line[name.size()] != ' ') {
    return false;
  }
  value = std::string(line.substr(name.size() + 1));
  return true;
}

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::string hashText(std::string_view bytes) {
  char hash[24];
  std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(hashOf(bytes)));
  return hash;
}

std::string fingerprintOf(std::optional<std::string_view> text) {
  if (!text) return "-";
  return std::to_string(text->size()) + ":" + hashText(*text);
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

std::string entryText(const HistoryEntry& entry) {
  std::string text(Magic);
  text += "path " + encoded(entry.path);
  text += "\ntime " + std::to_string(entry.time.seconds) + " " + encoded(entry.time.local);
  text += "\ncause " + encoded(entry.cause);
  text += "\nbefore " + kindWord(entry.before.kind) + " " + encoded(entry.before.fingerprint);
  text += "\nafter " + encoded(entry.afterFingerprint);
  text += "\n\n";
  if (entry.before.kind == FileVersion::Kind::Text) text += entry.before.text;
  return text;
}

std::optional<HistoryEntry> parseEntry(std::string_view text) {
  const bool raw = text.starts_with(RawMagic);
  if (!raw && !text.starts_with(Magic)) return std::nullopt;
  std::size_t pos = Magic.size();
  std::string fields[5];
  constexpr std::string_view Names[5] = {"path", "time", "cause", "before", "after"};
  for (int i = 0; i < 5; ++i) {
    if (!headerLine(text, pos, Names[i], fields[i])) return std::nullopt;
    if (raw) continue;
    std::optional<std::string> value = decoded(fields[i]);
    if (!value) return std::nullopt;
    fields[i] = std::move(*value);
  }
  if (pos >= text.size() || text[pos] != '\n') return std::nullopt;
  ++pos;
  HistoryEntry entry;
  entry.path = std::move(fields[0]);
  entry.cause = std::move(fields[2]);
  entry.afterFingerprint = std::move(fields[4]);
  const std::string& time = fields[1];
  const std::size_t blank = time.find(' ');
  const std::string seconds = time.substr(0, blank);
  if (!allDigits(seconds) || seconds.size() > 18) return std::nullopt;
  entry.time.seconds = std::stoll(seconds);
  entry.time.local = blank == std::string::npos ? std::string() : time.substr(blank + 1);
  const std::string& before = fields[3];
  const std::size_t cut = before.find(' ');
  const std::string kind = before.substr(0, cut);
  entry.before.fingerprint = cut == std::string::npos ? std::string() : before.substr(cut + 1);
  if (kind == "text") {
    entry.before.kind = FileVersion::Kind::Text;
    entry.before.text = std::string(text.substr(pos));
    // A file cut short (its writer stopped midway) holds no version.
    if (fingerprintOf(entry.before.text) != entry.before.fingerprint) return std::nullopt;
  } else if (kind == "none" || kind == "uncopied") {
    entry.before.kind = kind == "none" ? FileVersion::Kind::None : FileVersion::Kind::NotCopied;
    if (pos != text.size()) return std::nullopt;
  } else {
    return std::nullopt;
  }
  return entry;
}

}  // namespace menue
