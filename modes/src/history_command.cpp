// The front end of the edit history: the MenuFile found as the other modes
// find it, its entries read, the chain of fingerprints walked to see where
// a change went unrecorded, and the undo written through the same
// recording file system as every edit, under the edits' lock.
#include "modes/history_command.h"

#include "menufile/menu_check.h"
#include "menufile/menu_file_read.h"
#include "modes/counted_text.h"
#include "modes/menu_check_command.h"
#include "modes/menu_path.h"
#include "modes/shown_text.h"
#include "modes/state_directory.h"
#include "modes/text_diff.h"
#include "platform/utf8.h"
#include "session/edit_history.h"
#include "session/path_text.h"
#include "session/recorded_files.h"
#include "session/text_forms.h"

namespace menue {

namespace {

constexpr ExitStatus Refused = ExitStatus::Refused;
constexpr ExitStatus Unusable = ExitStatus::Unusable;

std::string sizeText(const FileVersion& version) {
  switch (version.kind) {
    case FileVersion::Kind::None:
      return "keine Datei";
    case FileVersion::Kind::NotCopied:
      return "nicht gesichert";
    case FileVersion::Kind::Text:
      break;
  }
  const MenuCheck check = checkMenuText(version.text, menuCheckRules());
  return std::to_string(version.text.size()) + " Bytes, " +
         (check.loads ? itemCountText(check.items)
                      : "l\xE4"
                        "dt nicht");
}

// What the MenuFile holds now, for comparing and for the undo's write.
struct Current {
  PlatformCode failure = code::Success;
  std::optional<std::string> text;
  // Larger than a MenuFile is ever read: neither compared nor replaced.
  bool tooLarge = false;
  std::string fingerprint() const { return fingerprintOf(text); }
};

Current currentOf(FileSystem& files, const std::string& name) {
  Current current;
  MenuFileBytes bytes = readMenuBytes(files, name);
  current.failure = bytes.failure;
  if (current.failure == code::FileNotFound) {
    current.failure = code::Success;
  } else if (current.failure == code::Success && !bytes.whole) {
    current.tooLarge = true;
  } else if (current.failure == code::Success) {
    current.text = std::move(bytes.text);
  }
  return current;
}

// The time and cause of an entry as read from its file (anyone may have
// written it), escaped as paths are, so that no byte acts on the terminal.
struct ShownEntry {
  std::string time;
  std::string cause;
  ShownEntry(const HistoryEntry& entry, const PathRules& rules)
      : time(visiblePath(entry.time.local, rules)), cause(visiblePath(entry.cause, rules)) {}
};

// What the undo changes: the text now against the version it restores, in
// the system form and escaped as --list shows command lines.
void writeUndoDiff(StandardStream& out, const std::string& shown, const Current& current,
                   const HistoryEntry& chosen, const PathRules& rules) {
  const std::string& restored = chosen.before.text;
  const std::string now = current.text.value_or(std::string());
  const bool nowUtf8 = isUtf8Text(now);
  const bool restoredUtf8 = isUtf8Text(restored);
  out.writeBytes(
      unifiedDiff(now, restored, shown + " (jetzt)", "Fassung " + std::to_string(chosen.version),
                  "\\ kein Zeilenende am Dateiende", [&](std::string_view line, bool inNow) {
                    return shownText(menuCommandLine(line, inNow ? nowUtf8 : restoredUtf8, rules));
                  }));
}

// Where a change went unrecorded: after `from` (and before `to`, if known).
std::string gapLine(const std::string& from, const std::string& to) {
  std::string line = "  (hier fehlt Verlauf: nach " + from;
  if (!to.empty()) line += " und vor " + to;
  return line + " ohne Verlauf oder von einem anderen Programm ge\xE4ndert)\n";
}

}  // namespace

ExitStatus runHistoryList(CommandServices::Services& services, EditRecording& recording,
                          const std::string& path, StandardStream& out, StandardStream& err) {
  MenuFileTarget target;
  if (const auto status = enterWithStateDirectory(services, path, err, target)) return *status;
  EditHistory& history = recording.history();
  const std::vector<HistoryEntry> entries = history.entriesOf(target.fullPath);
  if (entries.empty()) {
    writeErrorLine(err, target.shown, "kein Verlauf");
    return Refused;
  }
  out.writeBytes(target.shown + "\n");
  out.writeText(
      "  Fassung  Zeit                 vor der \xC4nderung durch  Gr\xF6\xDF"
      "e\n");
  const HistoryEntry* previous = nullptr;
  for (const HistoryEntry& entry : entries) {
    const ShownEntry shown(entry, services.rules);
    if (previous != nullptr && previous->afterFingerprint != entry.before.fingerprint) {
      out.writeText(gapLine(ShownEntry(*previous, services.rules).time, shown.time));
    }
    std::string number = std::to_string(entry.version);
    number.resize(std::max<std::size_t>(number.size(), 7), ' ');
    std::string cause = shown.cause;
    cause.resize(std::max<std::size_t>(cause.size(), 22), ' ');
    out.writeText("  " + number + "  " + shown.time + "  " + cause + " " + sizeText(entry.before) +
                  "\n");
    previous = &entry;
  }
  const Current current = currentOf(services.files, target.name);
  if (current.failure == code::Success &&
      (current.tooLarge || current.fingerprint() != previous->afterFingerprint)) {
    out.writeText(gapLine(ShownEntry(*previous, services.rules).time, {}));
  }
  return ExitStatus::Done;
}

namespace {

// Version K of the entries, or nothing after saying there is none.
const HistoryEntry* versionNamed(const std::vector<HistoryEntry>& entries, int version,
                                 const MenuFileTarget& target, StandardStream& err) {
  const HistoryEntry* named = nullptr;
  for (const HistoryEntry& entry : entries) {
    if (entry.version == version) named = &entry;
  }
  if (named != nullptr) return named;
  writeErrorLine(err, target.shown, "keine Fassung " + std::to_string(version) + " im Verlauf");
  return nullptr;
}

// The last change that happened, or nothing after saying why there is none
// to take back: no history, or a change after it that no history knows. An
// entry whose change never came (the writer was stopped between) holds
// what the file still holds and is passed over.
const HistoryEntry* lastChange(const std::vector<HistoryEntry>& entries, const Current& current,
                               const MenuFileTarget& target, const PathRules& rules,
                               StandardStream& err) {
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (it->before.fingerprint == current.fingerprint()) continue;
    if (it->afterFingerprint == current.fingerprint()) return &*it;
    const ShownEntry shown(*it, rules);
    writeErrorLine(err, target.shown,
                   "nicht zur\xFC"
                   "ckgenommen: die Datei wurde nach der letzten \xC4nderung durch "
                   "menue (" +
                       shown.cause + " am " + shown.time +
                       ") von anderer Seite ge\xE4ndert, und diese \xC4nderung steht "
                       "in keinem Verlauf.");
    err.writeText("Die Fassung vor " + shown.cause +
                  " trotzdem wiederherstellen: menue --undo --version " +
                  std::to_string(it->version) + "\n");
    return nullptr;
  }
  writeErrorLine(err, target.shown, "kein Verlauf");
  return nullptr;
}

// Shows what putting `chosen` back does, with the difference, and asks.
bool undoConfirmed(const MenuFileTarget& target, const Current& current, const HistoryEntry& chosen,
                   const PathRules& rules, StandardInput& in, StandardStream& out) {
  const ShownEntry shown(chosen, rules);
  out.writeBytes(target.shown + ": ");
  out.writeText("Fassung " + std::to_string(chosen.version) + " vom " + shown.time + ", vor " +
                shown.cause + " (" + sizeText(chosen.before) + "), statt jetzt (" +
                sizeText(FileVersion::of(current.text)) + ").\n");
  writeUndoDiff(out, target.shown, current, chosen, rules);
  out.writeText(chosen.before.kind == FileVersion::Kind::None ? "Datei l\xF6schen? (j/n) "
                                                              : "Wiederherstellen? (j/n) ");
  std::string answer;
  if (in.readLine(answer) && (answer.rfind('j', 0) == 0 || answer.rfind('J', 0) == 0)) {
    return true;
  }
  out.writeText("Nichts ge\xE4ndert.\n");
  return false;
}

// Writes `chosen` back over the text read now (or deletes the file, where
// it did not exist before), through the history like every change.
ExitStatus putBack(RecordedFiles& recorded, const MenuFileTarget& target, const Current& current,
                   const HistoryEntry& chosen, StandardStream& out, StandardStream& err) {
  static const std::string Cause = "--undo";
  recorded.causeFrom(Cause);
  PlatformCode result = code::Success;
  if (chosen.before.kind == FileVersion::Kind::None) {
    result =
        current.text ? recorded.deleteSeenFile(target.name, *current.text, true) : code::Success;
  } else {
    result = recorded.replaceFile(target.name, current.text, chosen.before.text);
  }
  if (result == code::FileInvalid) {
    writeErrorLine(err, target.shown,
                   "Men\xFC"
                   "datei wurde inzwischen ge\xE4ndert: nicht ge\xE4ndert");
    return Refused;
  }
  if (result != code::Success) {
    writeErrorLine(err, target.shown, writeFailureText(result));
    return Unusable;
  }
  out.writeText("Wiederhergestellt.\n");
  return ExitStatus::Done;
}

}  // namespace

ExitStatus runUndo(CommandServices::Services& services, EditRecording& recording,
                   const std::string& path, int version, StandardInput& in, StandardStream& out,
                   StandardStream& err) {
  MenuFileTarget target;
  if (const auto status = enterWithStateDirectory(services, path, err, target)) return *status;
  EditHistory& history = recording.history();
  const std::vector<HistoryEntry> entries = history.entriesOf(target.fullPath);
  const Current current = currentOf(services.files, target.name);
  if (current.failure != code::Success) {
    writeErrorLine(err, target.shown, pathFailureText(current.failure));
    return Unusable;
  }
  if (current.tooLarge) {
    writeErrorLine(err, target.shown, TooLargeToChange);
    return Refused;
  }
  const HistoryEntry* chosen = version > 0
                                   ? versionNamed(entries, version, target, err)
                                   : lastChange(entries, current, target, services.rules, err);
  if (chosen == nullptr) return Refused;
  if (chosen->before.kind == FileVersion::Kind::NotCopied) {
    writeErrorLine(err, target.shown,
                   "Fassung " + std::to_string(chosen->version) + " wurde nicht gesichert");
    return Refused;
  }
  if (!undoConfirmed(target, current, *chosen, services.rules, in, out)) return Refused;
  return putBack(recording.files(), target, current, *chosen, out, err);
}

}  // namespace menue
