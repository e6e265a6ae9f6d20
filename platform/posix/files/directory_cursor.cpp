// The walk through a tree on descriptors: the cursor keeps the directory it
// stands in open, opens a subdirectory relative to it and its way back as
// the ".." of the one it is in, checked against the device and inode it
// came from. No path is built or asked for, and at most two descriptors are
// open at any depth.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/posix/files/errno_code.h"
#include "platform/posix/files/file_io.h"
#include "platform/posix/files/file_stamp.h"
#include "platform/posix/files/name_pattern.h"
#include "platform/posix/files/posix_files.h"

namespace menue {

namespace {

constexpr int DirectoryFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

class PosixDirectoryCursor : public DirectoryCursor {
 public:
  PosixDirectoryCursor(int fd, uid_t user, PrivateGroups& groups)
      : fd_(fd), user_(user), groups_(groups) {}
  ~PosixDirectoryCursor() override { close(fd_); }
  PosixDirectoryCursor(const PosixDirectoryCursor&) = delete;
  PosixDirectoryCursor& operator=(const PosixDirectoryCursor&) = delete;

  std::vector<std::string> findPlainFiles(const std::string& pattern) override {
    // A link counts as the plain file it leads to, as in the searches of
    // the current directory.
    return entriesWhere([&](const dirent& entry) {
      if (!matchesPattern(entry.d_name, pattern)) return false;
      if (entry.d_type == DT_REG) return true;
      if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
      struct stat info {};
      return fstatat(fd_, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
    });
  }

  std::vector<std::string> findDirectories() override {
    // Links are not entered, so a walk cannot loop.
    return entriesWhere([&](const dirent& entry) {
      if (entry.d_type != DT_UNKNOWN) return entry.d_type == DT_DIR;
      struct stat info {};
      return fstatat(fd_, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
    });
  }

  PlatformCode readFileStart(const std::string& name, std::size_t limit,
                             FileStart& start) override {
    return readFileStartAt(fd_, name, limit, user_, groups_, start, SettleNs);
  }

  PlatformCode enter(const std::string& name) override {
    struct stat here {};
    if (fstat(fd_, &here) != 0) return lastErrorCode();
    const int child = openat(fd_, name.c_str(), DirectoryFlags | O_NOFOLLOW);
    if (child < 0) return errno == ELOOP ? code::AccessDenied : lastErrorCode();
    trail_.push_back({here.st_dev, here.st_ino});
    close(fd_);
    fd_ = child;
    return code::Success;
  }

  PlatformCode leave() override {
    if (trail_.empty()) return code::InvalidFunction;
    const int parent = openat(fd_, "..", DirectoryFlags);
    if (parent < 0) return lastErrorCode();
    struct stat info {};
    if (fstat(parent, &info) != 0 || info.st_dev != trail_.back().device ||
        info.st_ino != trail_.back().inode) {
      close(parent);
      return code::PathNotFound;
    }
    close(fd_);
    fd_ = parent;
    trail_.pop_back();
    return code::Success;
  }

 private:
  struct Identity {
    dev_t device;
    ino_t inode;
  };

  // The names of the entries, but hidden ones, that pass `wanted`, sorted;
  // read through a descriptor of its own, so each listing starts afresh.
  template <typename Wanted>
  std::vector<std::string> entriesWhere(Wanted wanted) {
    std::vector<std::string> names;
    const int fd = openat(fd_, ".", DirectoryFlags);
    if (fd < 0) return names;
    DIR* directory = fdopendir(fd);
    if (directory == nullptr) {
      close(fd);
      return names;
    }
    while (const dirent* entry = readdir(directory)) {
      if (!hiddenName(entry->d_name) && wanted(*entry)) names.emplace_back(entry->d_name);
    }
    closedir(directory);
    std::sort(names.begin(), names.end());
    return names;
  }

  int fd_;
  uid_t user_;
  // The file system's answers of the user database (it outlives the walk).
  PrivateGroups& groups_;
  // The directories entered and not left, outermost first.
  std::vector<Identity> trail_;
};

}  // namespace

PlatformCode PosixFiles::openDirectoryCursor(const std::string& path,
                                             std::unique_ptr<DirectoryCursor>& cursor) {
  const int fd = open(path.empty() ? "." : path.c_str(), DirectoryFlags);
  if (fd < 0) {
    struct stat info {};
    if (errno == ENOTDIR && stat(path.c_str(), &info) == 0) return code::DirectoryNameInvalid;
    return lastErrorCode();
  }
  cursor = std::make_unique<PosixDirectoryCursor>(fd, user_, groups_);
  return code::Success;
}

}  // namespace menue
