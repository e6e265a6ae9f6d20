// menue --history [PATH] and menue --undo [PATH] [--version K]: the
// versions of a MenuFile the edit history keeps, and putting one back.
#pragma once

#include <string>

#include "modes/exit_status.h"
#include "platform/native.h"
#include "session/edit_recording.h"

namespace menue {

// Lists the versions: number, time, what changed the file, size; says
// where the history is missing. Exit status 0; 1 for a MenuFile without
// history, 2 for a path that cannot be used.
ExitStatus runHistoryList(CommandServices::Services& services, EditRecording& recording,
                          const std::string& path, StandardStream& out, StandardStream& err);

// Puts back the text from before the last change (version 0) or version K,
// after showing what it will do and asking. Refuses the last change's undo
// when the file changed since in a way the history does not know, naming
// the version to restore instead. Exit status 0 when put back; 1 when
// refused, declined or changed meanwhile; 2 for a path that cannot be used.
ExitStatus runUndo(CommandServices::Services& services, EditRecording& recording,
                   const std::string& path, int version, StandardInput& in, StandardStream& out,
                   StandardStream& err);

}  // namespace menue
