// The one way every change of a MenuFile passes, the menu's edits and the
// command line's alike: a FileSystem that puts what a replace, a delete
// of a seen file or a move is about to change into the EditHistory first,
// and takes the entry back when the change does not happen. Every other
// call goes straight through, so a pass costs what it did.
#pragma once

#include <string>

#include "platform/forwarding_files.h"
#include "platform/platform.h"
#include "session/edit_history.h"

namespace menue {

class RecordedFiles : public ForwardingFiles {
 public:
  RecordedFiles(FileSystem& files, EditHistory& history)
      : ForwardingFiles(files), history_(history) {}

  // Where the name of what changes the files comes from (Windows-1252,
  // "Menü+"); a move is always the adoption of a numbered menu.
  void causeFrom(const std::string& cause) { cause_ = &cause; }
  // Where to say, once a run, that edits go on without history because the
  // state directory is missing or not the user's own (Windows-1252).
  void noticeTo(std::string& notice) { notice_ = &notice; }

  // The three writes that are recorded; every other call goes through.
  PlatformCode replaceFile(const std::string& path, SeenText seen,
                           std::string_view contents) override;
  PlatformCode deleteSeenFile(const std::string& path, std::string_view seenStart,
                              bool seenWhole) override;
  PlatformCode moveFile(const std::string& from, const std::string& to) override;

 private:
  // The full path the history knows `path` by.
  std::string fullPath(const std::string& path);
  std::optional<std::string> record(const std::string& path, std::string_view cause,
                                    const FileVersion& before, std::string after);
  // Forgets the entry when the change failed; returns `result`.
  PlatformCode settled(const std::optional<std::string>& entry, PlatformCode result);

  EditHistory& history_;
  const std::string* cause_ = nullptr;
  std::string* notice_ = nullptr;
  bool told_ = false;
};

}  // namespace menue
