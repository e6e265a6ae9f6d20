// Comparing last and proving after: renameat2(RENAME_EXCHANGE) swaps the
// new file in and leaves the old one under the temporary name, where it is
// checked to be the file compared, still holding the text compared; where
// the file system cannot swap, the old file stays open and is read again
// after the rename.
#include "platform/posix/files/file_swap.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_io.h"

namespace menue {

namespace {

int exchangeNames(const std::string& a, const std::string& b) {
#ifdef RENAME_EXCHANGE
  if (renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0) return 0;
  return errno;
#elif defined(SYS_renameat2)
  constexpr unsigned Exchange = 1u << 1;
  if (syscall(SYS_renameat2, AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), Exchange) == 0) return 0;
  return errno;
#else
  return ENOSYS;
#endif
}

SwapOutcome refused(PlatformCode failure) {
  SwapOutcome outcome;
  outcome.code = failure;
  return outcome;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// What the old file holds now, one byte past `seen` to tell a longer text.
std::string textNow(const OldFile& old, std::size_t seenSize) {
  std::string text;
  if (readOpenFile(old.fd, seenSize + 1, text) != code::Success) text.assign(1, '\0');
  return text;
}

// Whether `name` leads to the old file and that still holds `seen`.
bool stillHolds(const std::string& name, const OldFile& old, std::string_view seen) {
  struct stat now {};
  return lstat(name.c_str(), &now) == 0 && sameFile(now, old.info) &&
         textNow(old, seen.size()) == seen;
}

// Undoes the swap: what took the target's place meanwhile goes back there.
// Should another program have put its file at the target since the swap,
// that file stays, and the temporary name holds one of ours or the one it
// replaced.
void swapBack(const std::string& temporary, const std::string& target, const struct stat& fresh) {
  if (exchangeNames(temporary, target) != 0) return;
  struct stat out {};
  if (lstat(temporary.c_str(), &out) == 0 && !sameFile(out, fresh)) {
    exchangeNames(temporary, target);
  }
}

}  // namespace

SwapOutcome swapIn(const std::string& temporary, const std::string& target, const OldFile& old,
                   const struct stat& fresh, std::string_view seen, bool exchange,
                   const ReplaceHook& hook) {
  // The comparison, as the last step before the swap.
  if (!stillHolds(target, old, seen)) return refused(code::FileInvalid);
  if (hook) hook(ReplaceStep::Compared);
  const int swapped = exchange ? exchangeNames(temporary, target) : EINVAL;
  if (swapped == 0) {
    // The proof: the file swapped out is the one compared, unchanged.
    if (!stillHolds(temporary, old, seen)) {
      swapBack(temporary, target, fresh);
      return refused(code::FileInvalid);
    }
    unlink(temporary.c_str());
    return {};
  }
  if (swapped != EINVAL && swapped != ENOSYS && swapped != EOPNOTSUPP) {
    return refused(platformCodeFromErrno(swapped));
  }
  if (rename(temporary.c_str(), target.c_str()) != 0) return refused(lastErrorCode());
  // The old file, open still, is read again: a change that reached it
  // between the comparison and the rename is put back.
  if (textNow(old, seen.size()) == seen) return {};
  struct stat info {};
  std::string changed;
  if (fstat(old.fd, &info) != 0 ||
      readOpenFile(old.fd, static_cast<std::size_t>(info.st_size), changed) != code::Success) {
    return refused(code::FileInvalid);
  }
  SwapOutcome outcome = refused(code::FileInvalid);
  outcome.putBack = true;
  outcome.changedText = std::move(changed);
  return outcome;
}

}  // namespace menue
