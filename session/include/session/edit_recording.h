// The edit history of a run and the recording file system over it, wired
// once: the menu's Program and the modes that change a MenuFile are given
// its files, the modes that read the history its history.
#pragma once

#include "platform/platform.h"
#include "session/edit_history.h"
#include "session/recorded_files.h"

namespace menue {

class EditRecording {
 public:
  EditRecording(FileSystem& files, Environment& environment, Clock& clock, const PathRules& rules)
      : history_(files, environment, clock, rules), files_(files, history_) {}
  EditRecording(const EditRecording&) = delete;
  EditRecording& operator=(const EditRecording&) = delete;

  EditHistory& history() { return history_; }
  // Every replace, delete of a seen file and move passes the history first.
  RecordedFiles& files() { return files_; }

 private:
  EditHistory history_;
  RecordedFiles files_;
};

}  // namespace menue
