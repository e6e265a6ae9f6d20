// The in-memory file system of the tests, with the Windows rules (drives,
// case-insensitive names, attributes, a current directory per drive), fault
// injection and counted calls.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace menue {

// File operations that faults can be injected into.
enum class FileOp {
  Read,
  Replace,
  CreateNew,
  Delete,
  Move,
  ChangeDirectory,
  ChangeDrive,
  CurrentDirectory,
  List,  // counted only: a directory listing cannot fail
  MakeDirectory,
};

class VirtualFileSystem : public FileSystem {
 public:
  static constexpr std::uint32_t Hidden = 0x2;
  static constexpr std::uint32_t System = 0x4;
  static constexpr std::uint32_t ReadOnly = 0x1;

  // Starts with drive C: holding the root only; current directory "C:\".
  VirtualFileSystem();

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
  std::vector<std::string> findDirectories() override;
  PlatformCode openDirectoryCursor(const std::string& path,
                                   std::unique_ptr<DirectoryCursor>& cursor) override;
  PlatformCode currentDirectory(std::string& path) override;
  PlatformCode changeDirectory(const std::string& path) override;
  PlatformCode changeDrive(char letter) override;
  PlatformCode makePrivateDirectory(const std::string& path) override;
  std::vector<ListedFile> listDirectory(const std::string& path) override;

  // Test side. Paths may be relative to the current directory.
  void addDrive(char letter, bool ready = true);
  void makeDirectory(const std::string& path);  // with its parents
  void removeDirectory(const std::string& path);
  void putFile(const std::string& path, std::string contents, std::uint32_t attributes = 0);
  // Gives an existing file another owner or a mode others may write; a file
  // starts trusted, and moves and replacements keep what it was given.
  void setTrust(const std::string& path, FileTrust trust);
  // The same, but only from the file's next opening on: another user put a
  // file of their own in its place after the program looked at its name.
  void setTrustWhenOpened(const std::string& path, FileTrust trust);
  std::optional<std::string> file(const std::string& path) const;
  bool directoryExists(const std::string& path) const;
  // Every file as full path -> contents.
  std::map<std::string, std::string> allFiles() const;
  // The next call of op (after `skip` successful ones) fails with `code`.
  void failNext(FileOp op, PlatformCode code, int skip = 0);
  // Every call of op fails with `code` until cleared with 0.
  void failAlways(FileOp op, PlatformCode code);
  int calls(FileOp op) const;
  // Counts a call of op and gives the failure injected into it, if any.
  PlatformCode fault(FileOp op);

  // The full, case-preserved path for a path as the program gives it, or
  // nothing when it is malformed.
  std::optional<std::string> resolve(const std::string& path) const;
  // The searches of a directory given by its full path.
  std::vector<std::string> findPlainFilesIn(const std::string& directory,
                                            const std::string& pattern);
  std::vector<std::string> findDirectoriesIn(const std::string& directory) const;

 private:
  struct Entry {
    std::string name;  // full path in its own case
    std::string contents;
    std::uint32_t attributes = 0;
    FileTrust trust = FileTrust::Trusted;
    std::optional<FileTrust> trustWhenOpened = std::nullopt;
  };
  // The file at `path`, or none.
  Entry* entryAt(const std::string& path);
  // The whole text of a file, with the read's fault injection.
  PlatformCode readWhole(const std::string& path, std::string& contents);
  struct Fault {
    PlatformCode code = code::Success;
    int skip = 0;
    bool always = false;
  };
  static std::string key(const std::string& fullPath);
  std::string parentOf(const std::string& fullPath) const;

  std::map<std::string, Entry> files_;        // key -> file
  std::map<std::string, std::string> dirs_;   // key -> full path
  std::map<char, std::string> driveCurrent_;  // upper letter -> full path
  std::set<char> notReady_;
  char drive_ = 'C';
  std::map<FileOp, Fault> faults_;
  std::map<FileOp, int> calls_;
};

}  // namespace menue
