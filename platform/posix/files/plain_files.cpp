// The directory searches: plain files by wildcard name (no directories or
// hidden dot files) and the subdirectories a walk enters, sorted by name in
// byte order.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string_view>

#include "files/posix_files.h"

namespace menue {

namespace {

// '?' stands for exactly one character, '*' for any run of them.
bool matches(std::string_view name, std::string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starAt = std::string_view::npos;
  std::size_t starMatched = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      starMatched = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++starMatched;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool hiddenName(std::string_view name) {
  return name.empty() || name[0] == '.';
}

// Follows links: a link to a file counts as the file.
bool regularFile(const char* path) {
  struct stat info {};
  return stat(path, &info) == 0 && S_ISREG(info.st_mode);
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
  return entriesWhere(
      [&](const char* name) { return matches(name, pattern) && regularFile(name); });
}

std::vector<std::string> PosixFiles::findDirectories() {
  // lstat: a link to a directory is not entered ("." and ".." are hidden).
  return entriesWhere([](const char* name) {
    struct stat info {};
    return lstat(name, &info) == 0 && S_ISDIR(info.st_mode);
  });
}

bool PosixFiles::isPlainFile(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string_view name = slash == std::string::npos
                                    ? std::string_view(path)
                                    : std::string_view(path).substr(slash + 1);
  return !hiddenName(name) && regularFile(path.c_str());
}

}  // namespace menue
