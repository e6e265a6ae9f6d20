// The last step of a replacement: the comparison with the text seen, the
// swap of the new file into the old one's place, and the proof that the
// file swapped out is the one compared, so that a program writing the file
// without the lock keeps its change.
#pragma once

#include <sys/stat.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

// Where a test may wait or act in a replacement: after the new file was
// flushed, and between the comparison and the swap.
enum class ReplaceStep { Synced, Compared };
using ReplaceHook = std::function<void(ReplaceStep)>;

// The old file as the replacement found it: open, and its stat.
struct OldFile {
  int fd = -1;
  struct stat info {};
};

struct SwapOutcome {
  PlatformCode code = code::Success;
  // The old file changed after the new one took its place by a plain
  // rename (a file system without the swap): its text then, to put back.
  bool putBack = false;
  std::string changedText;
};

// Puts `temporary` (the new file, whose stat is `fresh`) at `target` if
// `target` is still `old` holding `seen`; else FileInvalid, with the file
// that was there in place again. `exchange` false: as on a file system
// without RENAME_EXCHANGE. The temporary name is gone on success; on a
// failure the caller removes it.
SwapOutcome swapIn(const std::string& temporary, const std::string& target, const OldFile& old,
                   const struct stat& fresh, std::string_view seen, bool exchange,
                   const ReplaceHook& hook);

}  // namespace menue
