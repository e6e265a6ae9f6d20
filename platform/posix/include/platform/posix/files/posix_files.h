// Files and directories on POSIX, with the Windows semantics the core
// expects: read-only targets refused, replacement in one rename, exclusive
// creation, names sorted as the file system compares them.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/posix/files/file_swap.h"
#include "platform/posix/files/listing_cache.h"
#include "platform/posix/files/private_groups.h"

namespace menue {

// Moves a file onto a name that must be free: 0, EEXIST when it is not, or
// the errno of another failure. Where the file system cannot do it in one
// call, a hard link does the same.
int renameNoReplace(const char* from, const char* to);

class PosixFiles : public FileSystem {
 public:
  // `privateScriptPath`: the fallback LaunchScript path whose directory the
  // backend creates itself and must find private (empty for none).
  // `listingSettleNs`: how long a directory must have stood unchanged for
  // its listing to be kept, and a file for the stamp of its read to be
  // given (SettleNs; tests shorten it).
  explicit PosixFiles(std::string privateScriptPath = {},
                      std::int64_t listingSettleNs = ListingCache::SettleNs)
      : privateScriptPath_(std::move(privateScriptPath)),
        settleNs_(listingSettleNs),
        listings_(listingSettleNs),
        user_(geteuid()) {}

  PlatformCode readFileStart(const std::string& path, std::size_t limit, FileStart& start) override;
  PlatformCode replaceFile(const std::string& path, SeenText seen,
                           std::string_view contents) override;
  PlatformCode createNewFile(const std::string& path, std::string_view contents) override;
  PlatformCode deleteFile(const std::string& path) override;
  PlatformCode deleteSeenFile(const std::string& path, std::string_view seenStart,
                              bool seenWhole) override;
  PlatformCode moveFile(const std::string& from, const std::string& to) override;
  std::vector<std::string> findPlainFiles(const std::string& pattern) override;
  std::optional<FileTrust> plainFileTrust(const std::string& path) override;
  std::optional<PlainFileLook> lookAtPlainFile(const std::string& path) override;
  std::vector<std::string> findDirectories() override;
  PlatformCode openDirectoryCursor(const std::string& path,
                                   std::unique_ptr<DirectoryCursor>& cursor) override;
  PlatformCode currentDirectory(std::string& path) override;
  PlatformCode changeDirectory(const std::string& path) override;
  PlatformCode changeDrive(char letter) override;
  PlatformCode makePrivateDirectory(const std::string& path) override;
  std::vector<ListedFile> listDirectory(const std::string& path) override;

  // For tests: a step to run inside each replacement (a slow disk, a
  // writer that takes no lock), and replacing as a file system without the
  // swap of two names must.
  struct ReplaceHooks {
    ReplaceHook step;
    bool noExchange = false;
  };
  void setReplaceHooks(ReplaceHooks hooks) { hooks_ = std::move(hooks); }

 private:
  // A new file put in place only while no file has the name.
  PlatformCode createInPlace(const std::string& directory, const std::string& target,
                             std::string_view contents);
  // Writes, guards (as `old`, or the new-file mode), flushes and names a
  // temporary beside the target; `fresh` is its stat. Nothing is left on
  // a failure.
  PlatformCode writeTemporary(const std::string& directory, std::string_view contents,
                              const OldFile* old, std::string& temporary, struct stat& fresh);
  // Every use of the fallback LaunchScript path first finds its directory
  // private (made here when `create`); other paths pass.
  PlatformCode scriptDirectoryCheck(const std::string& path, bool create);

  std::string privateScriptPath_;
  // The directory last read or entered: still shown when another program
  // removes it under the menu, so the prompt stays usable ("cd!" leaves).
  std::string lastDirectory_;
  std::int64_t settleNs_;
  // The last plain-file search, given again while the directory is unchanged.
  ListingCache listings_;
  // The current directory's stamp as the last search saw it, and the one
  // it had when lastDirectory_ was asked: while they are the same, no
  // directory change of this program and no rename of the directory came
  // between, and the path stands.
  std::optional<DirectoryStamp> directoryStamp_;
  std::optional<DirectoryStamp> pathAskedAt_;
  // The user whose files are trusted, asked once: it does not change while
  // the program runs, and a pass then costs no call for it.
  uid_t user_;
  // Which groups are their owner's own, each asked of the user database once.
  PrivateGroups groups_;
  ReplaceHooks hooks_;
};

}  // namespace menue
