// What each change keeps: a replace the text it was built from (none for a
// new file), a delete the text the menu showed (not copied when it read
// only the start of a huge file), a move the moved file's text as it was
// read, which a file the user may not read never gives.
#include "session/recorded_files.h"

#include "menufile/menu_file_read.h"
#include "session/path_text.h"

namespace menue {

namespace {

constexpr std::string_view AdoptionCause =
    "\xFC"
    "bernommen";

}  // namespace

std::string RecordedFiles::fullPath(const std::string& path) {
  if (history_.rules().isAbsolute(path)) return path;
  std::string directory;
  if (files().currentDirectory(directory) != code::Success) return path;
  return joinPath(directory, path, history_.rules());
}

std::optional<std::string> RecordedFiles::record(const std::string& path, std::string_view cause,
                                                 const FileVersion& before, std::string after) {
  auto entry = history_.record(fullPath(path), cause, before, std::move(after));
  // A full disk is seen in --history; a state directory that is refused
  // keeps every later edit out of it, so the user hears of it once.
  if (!entry && notice_ != nullptr && !told_ && !history_.usable()) {
    told_ = true;
    *notice_ =
        " Verlauf aus: das Zustandsverzeichnis fehlt oder geh\xF6rt nicht dem Benutzer allein "
        "(menue --history sagt, warum).";
  }
  return entry;
}

PlatformCode RecordedFiles::settled(const std::optional<std::string>& entry, PlatformCode result) {
  if (entry && result != code::Success) history_.forget(*entry);
  return result;
}

PlatformCode RecordedFiles::replaceFile(const std::string& path, SeenText seen,
                                        std::string_view contents) {
  const auto entry = record(path, cause_ ? std::string_view(*cause_) : "menue",
                            FileVersion::of(seen), fingerprintOf(contents));
  return settled(entry, files().replaceFile(path, seen, contents));
}

PlatformCode RecordedFiles::deleteSeenFile(const std::string& path, std::string_view seenStart,
                                           bool seenWhole) {
  const FileVersion before =
      seenWhole ? FileVersion::of(seenStart) : FileVersion::notCopied(std::string());
  const auto entry = record(path, cause_ ? std::string_view(*cause_) : "menue", before,
                            fingerprintOf(std::nullopt));
  return settled(entry, files().deleteSeenFile(path, seenStart, seenWhole));
}

PlatformCode RecordedFiles::moveFile(const std::string& from, const std::string& to) {
  const MenuFileBytes bytes = readMenuBytes(files(), from);
  const bool read = bytes.failure == code::Success && bytes.whole;
  const FileVersion moved =
      read ? FileVersion::of(bytes.text) : FileVersion::notCopied(std::string());
  const auto left = record(from, AdoptionCause, moved, fingerprintOf(std::nullopt));
  const auto arrived = record(to, AdoptionCause, FileVersion::of(std::nullopt),
                              read ? moved.fingerprint : std::string());
  const PlatformCode result = files().moveFile(from, to);
  settled(arrived, result);
  return settled(left, result);
}

}  // namespace menue
