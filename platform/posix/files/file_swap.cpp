// Comparing last and proving after: renameat2(RENAME_EXCHANGE) swaps the
// new file in and leaves the old one under the temporary name, where it is
// checked to be the file compared, still holding the text compared; where
// the file system cannot swap, the old file is moved aside and checked so
// before the new one takes the free name, and read again after it.
#include "platform/posix/files/file_swap.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_io.h"
#include "platform/posix/files/posix_files.h"

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

// Puts `from` at `to` if no file is there; EEXIST when another program
// took the name meanwhile. Where the file system has no links either, the
// name is looked at just before a plain rename.
int placeAtFreeName(const std::string& from, const std::string& to) {
  const int failure = renameNoReplace(from.c_str(), to.c_str());
  if (failure != EPERM && failure != EOPNOTSUPP && failure != ENOSYS) return failure;
  struct stat there {};
  if (lstat(to.c_str(), &there) == 0) return EEXIST;
  return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Where the file at the target waits while the new one takes its place: a
// hidden name beside it that the removal of stale temporaries never takes,
// so that a writer killed in between leaves the old text there.
std::string asideName(const std::string& temporary) {
  constexpr std::string_view Prefix = ".-menue-.";
  const auto slash = temporary.rfind('/');
  std::size_t name = slash == std::string::npos ? 0 : slash + 1;
  const std::string directory = temporary.substr(0, name);
  if (std::string_view(temporary).substr(name).starts_with(Prefix)) name += Prefix.size();
  return directory + std::string(Prefix) + "alt." + temporary.substr(name);
}

// Without the swap: the file at the name is moved aside first, so the file
// the replacement takes away is known; it must be the one compared, still
// holding the text compared (else it goes back and the edit is refused).
// Then the new file takes the free name, unless another program filled it
// meanwhile: that program's file stays, and the edit is refused.
SwapOutcome replaceByRenames(const std::string& temporary, const std::string& target,
                             const OldFile& old, std::string_view seen) {
  const std::string aside = asideName(temporary);
  if (rename(target.c_str(), aside.c_str()) != 0) {
    return refused(errno == ENOENT ? code::FileInvalid : lastErrorCode());
  }
  if (!stillHolds(aside, old, seen)) {
    placeAtFreeName(aside, target);
    return refused(code::FileInvalid);
  }
  if (const int failure = placeAtFreeName(temporary, target); failure != 0) {
    if (failure != EEXIST) {
      placeAtFreeName(aside, target);
      return refused(platformCodeFromErrno(failure));
    }
    unlink(aside.c_str());
    return refused(code::FileInvalid);
  }
  unlink(aside.c_str());
  return {};
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
  if (SwapOutcome moved = replaceByRenames(temporary, target, old, seen);
      moved.code != code::Success) {
    return moved;
  }
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
