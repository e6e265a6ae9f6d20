// The directory searches: plain files by wildcard name (no directories or
// hidden dot files), kept while the directory stays as it was, and the
// subdirectories a walk enters, sorted by name in byte order; and the test
// of one name, which tells who may have changed the file as well.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>

#include "platform/posix/files/file_stamp.h"
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
  const std::int64_t now = realTimeNs();
  struct stat info {};
  const bool stamped = stat(".", &info) == 0;
  const DirectoryStamp stamp = stamped ? stampOf(info) : DirectoryStamp{};
  // The same look tells the current directory whether to ask for its path.
  directoryStamp_ = stamped ? std::optional(stamp) : std::nullopt;
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
  listings_.keep(pattern, stamp, trusted, now, std::move(listing));
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
  const std::optional<PlainFileLook> look = lookAtPlainFile(path);
  if (!look) return std::nullopt;
  return look->trust;
}

std::optional<PlainFileLook> PosixFiles::lookAtPlainFile(const std::string& path) {
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
  return PlainFileLook{fileTrustOf(info, writableAccessList(info, path.c_str()), user_, groups_),
                       stampOf(info)};
}

}  // namespace menue
