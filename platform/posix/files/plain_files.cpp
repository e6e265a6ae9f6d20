// The directory searches: plain files by wildcard name (no directories or
// hidden dot files), kept while the directory stays as it was, and the
// subdirectories a walk enters, sorted by name in byte order; and the test
// of one name, which tells who may have changed the file as well.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/vfs.h>

#include <algorithm>
#include <ctime>
#include <string_view>

#include "platform/posix/files/file_trust.h"
#include "platform/posix/files/name_pattern.h"
#include "platform/posix/files/posix_files.h"

namespace menue {

namespace {

// Follows links: a link to a file counts as the file.
bool regularFile(const char* path) {
  struct stat info {};
  return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

std::int64_t nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

DirectoryStamp stampOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::int64_t>(info.st_size), nanoseconds(info.st_mtim),
          nanoseconds(info.st_ctim)};
}

// Local file systems whose directory times follow every change of an entry.
// Network and user-space ones may report times of their own or none.
bool trustedTimes(int directoryFd) {
  struct statfs info {};
  if (fstatfs(directoryFd, &info) != 0) return false;
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53:      // ext2, ext3, ext4
    case 0x58465342:  // xfs
    case 0x9123683E:  // btrfs
    case 0x01021994:  // tmpfs
    case 0xF2F52010:  // f2fs
    case 0x794C7630:  // overlayfs
      return true;
    default:
      return false;
  }
}

// The kept plain files with the links that lead to a plain file now, sorted.
std::vector<std::string> liveNames(const PlainListing& listing) {
  std::vector<std::string> names = listing.files;
  for (const std::string& link : listing.links) {
    if (regularFile(link.c_str())) names.push_back(link);
  }
  if (!listing.links.empty()) std::sort(names.begin(), names.end());
  return names;
}

// Sorts a matching entry into the listing by its type; the entry's own type
// saves a look at the file wherever the file system gives one.
void takeEntry(const dirent& entry, PlainListing& listing) {
  unsigned char type = entry.d_type;
  if (type == DT_UNKNOWN) {
    struct stat info {};
    if (lstat(entry.d_name, &info) != 0) return;
    type = S_ISLNK(info.st_mode) ? DT_LNK : S_ISREG(info.st_mode) ? DT_REG : DT_DIR;
  }
  if (type == DT_REG) listing.files.emplace_back(entry.d_name);
  if (type == DT_LNK) listing.links.emplace_back(entry.d_name);
}

// The names of the current directory's entries, but hidden ones, that pass
// `wanted`, sorted.
template <typename Wanted>
std::vector<std::string> entriesWhere(Wanted wanted) {
  std::vector<std::string> names;
  DIR* directory = opendir(".");
  if (directory == nullptr) return names;
  while (const dirent* entry = readdir(directory)) {
    const std::string_view name = entry->d_name;
    if (!hiddenName(name) && wanted(entry->d_name)) names.emplace_back(name);
  }
  closedir(directory);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::vector<std::string> PosixFiles::findPlainFiles(const std::string& pattern) {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  struct stat info {};
  const bool stamped = stat(".", &info) == 0;
  const DirectoryStamp stamp = stamped ? stampOf(info) : DirectoryStamp{};
  if (stamped) {
    if (const PlainListing* kept = listings_.find(pattern, stamp)) return liveNames(*kept);
  }
  PlainListing listing;
  DIR* directory = opendir(".");
  if (directory == nullptr) {
    listings_.keep(pattern, stamp, false, 0, {});
    return {};
  }
  const bool trusted = stamped && trustedTimes(dirfd(directory));
  while (const dirent* entry = readdir(directory)) {
    if (!hiddenName(entry->d_name) && matchesPattern(entry->d_name, pattern))
      takeEntry(*entry, listing);
  }
  closedir(directory);
  std::sort(listing.files.begin(), listing.files.end());
  std::sort(listing.links.begin(), listing.links.end());
  std::vector<std::string> names = liveNames(listing);
  listings_.keep(pattern, stamp, trusted, nanoseconds(now), std::move(listing));
  return names;
}

std::vector<std::string> PosixFiles::findDirectories() {
  // lstat: a link to a directory is not entered ("." and ".." are hidden).
  return entriesWhere([](const char* name) {
    struct stat info {};
    return lstat(name, &info) == 0 && S_ISDIR(info.st_mode);
  });
}

std::optional<FileTrust> PosixFiles::plainFileTrust(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string_view name = slash == std::string::npos
                                    ? std::string_view(path)
                                    : std::string_view(path).substr(slash + 1);
  // stat follows a link: what counts is the file whose text is read.
  struct stat info {};
  if (hiddenName(name) || scriptDirectoryCheck(path, false) != code::Success ||
      stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return std::nullopt;
  }
  return fileTrustOf(info.st_uid, info.st_mode, user_);
}

}  // namespace menue
