// The in-memory file system of the tests, with the Windows rules: drive
// letters, a current directory per drive, names compared without regard to
// case, hidden/system/read-only attributes, and injectable faults.
#include <algorithm>
#include <utility>

#include "platform/letters.h"
#include "platform/virtual/virtual_files.h"

namespace menue {

namespace {

std::string upper(std::string text) {
  for (char& c : text) c = asciiUpper(c);
  return text;
}

bool sameLetter(char a, char b) {
  return asciiUpper(a) == asciiUpper(b);
}

// '?' stands for exactly one character, '*' for any run of them; letter
// case does not count.
bool matches(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (std::size_t skip = 0; skip <= name.size(); ++skip) {
      if (matches(pattern.substr(1), name.substr(skip))) return true;
    }
    return false;
  }
  if (name.empty() || (pattern[0] != '?' && !sameLetter(pattern[0], name[0]))) return false;
  return matches(pattern.substr(1), name.substr(1));
}

// Names in the order of the Windows file system: without regard to case.
bool lessByName(const std::string& a, const std::string& b) {
  return upper(a) < upper(b);
}

std::string nameOf(const std::string& fullPath) {
  return fullPath.substr(fullPath.find_last_of('\\') + 1);
}

}  // namespace

VirtualFileSystem::VirtualFileSystem() {
  addDrive('C');
}

std::string VirtualFileSystem::key(const std::string& fullPath) {
  return upper(fullPath);
}

void VirtualFileSystem::addDrive(char letter, bool ready) {
  char drive = asciiUpper(letter);
  std::string root = std::string(1, drive) + ":\\";
  driveCurrent_[drive] = root;
  dirs_[key(root)] = root;
  if (!ready) notReady_.insert(drive);
}

std::optional<std::string> VirtualFileSystem::resolve(const std::string& path) const {
  if (path.empty()) return std::nullopt;
  char drive = drive_;
  std::string rest = path;
  if (path.size() >= 2 && path[1] == ':') {
    drive = asciiUpper(path[0]);
    rest = path.substr(2);
  }
  auto current = driveCurrent_.find(drive);
  if (current == driveCurrent_.end()) return std::nullopt;
  std::vector<std::string> parts;
  std::string base = (!rest.empty() && (rest[0] == '\\' || rest[0] == '/'))
                         ? std::string(1, drive) + ":\\"
                         : current->second;
  auto split = [&parts](const std::string& text) {
    std::string part;
    for (char c : text + "\\") {
      if (c == '\\' || c == '/') {
        if (part == "..") {
          if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
          parts.push_back(part);
        }
        part.clear();
      } else {
        part += c;
      }
    }
  };
  split(base.substr(3));
  split(rest);
  std::string full = std::string(1, drive) + ":";
  for (const auto& part : parts) {
    if (part.find_first_of("\"*?<>|:") != std::string::npos) return std::nullopt;
    full += "\\" + part;
  }
  if (parts.empty()) full += "\\";
  return full;
}

std::string VirtualFileSystem::parentOf(const std::string& fullPath) const {
  auto cut = fullPath.find_last_of('\\');
  return cut <= 2 ? fullPath.substr(0, 3) : fullPath.substr(0, cut);
}

PlatformCode VirtualFileSystem::fault(FileOp op) {
  ++calls_[op];
  auto it = faults_.find(op);
  if (it == faults_.end() || it->second.code == code::Success) return code::Success;
  if (it->second.skip > 0) {
    --it->second.skip;
    return code::Success;
  }
  PlatformCode code = it->second.code;
  if (!it->second.always) faults_.erase(it);
  return code;
}

void VirtualFileSystem::failNext(FileOp op, PlatformCode code, int skip) {
  faults_[op] = Fault{code, skip, false};
}

void VirtualFileSystem::failAlways(FileOp op, PlatformCode code) {
  faults_[op] = Fault{code, 0, true};
}

int VirtualFileSystem::calls(FileOp op) const {
  auto it = calls_.find(op);
  return it == calls_.end() ? 0 : it->second;
}

PlatformCode VirtualFileSystem::readWhole(const std::string& path, std::string& contents) {
  if (auto code = fault(FileOp::Read)) return code;
  auto full = resolve(path);
  if (!full) return code::InvalidName;
  auto it = files_.find(key(*full));
  if (it == files_.end()) return dirs_.count(key(*full)) ? code::AccessDenied : code::FileNotFound;
  contents = it->second.contents;
  return code::Success;
}

PlatformCode VirtualFileSystem::readFileStart(const std::string& path, std::size_t limit,
                                              FileStart& start) {
  std::string text;
  if (const PlatformCode failure = readWhole(path, text)) return failure;
  start.whole = text.size() <= limit;
  if (!start.whole) text.resize(limit);
  start.text = std::move(text);
  Entry& entry = *entryAt(path);
  if (entry.trustWhenOpened) entry.trust = *std::exchange(entry.trustWhenOpened, std::nullopt);
  start.trust = entry.trust;
  return code::Success;
}

PlatformCode VirtualFileSystem::replaceFile(const std::string& path, SeenText seen,
                                            std::string_view contents) {
  if (auto code = fault(FileOp::Replace)) return code;
  auto full = resolve(path);
  if (!full) return code::InvalidName;
  if (!dirs_.count(key(parentOf(*full)))) return code::PathNotFound;
  if (dirs_.count(key(*full))) return code::AccessDenied;
  auto it = files_.find(key(*full));
  if (it == files_.end()) {
    if (seen) return code::FileInvalid;
    files_[key(*full)] = Entry{*full, std::string(contents), 0};
    return code::Success;
  }
  if (it->second.attributes & ReadOnly) return code::AccessDenied;
  if (!seen || *seen != it->second.contents) return code::FileInvalid;
  it->second.contents = std::string(contents);
  return code::Success;
}

PlatformCode VirtualFileSystem::createNewFile(const std::string& path, std::string_view contents) {
  if (auto code = fault(FileOp::CreateNew)) return code;
  auto full = resolve(path);
  if (!full) return code::InvalidName;
  if (!dirs_.count(key(parentOf(*full)))) return code::PathNotFound;
  if (files_.count(key(*full)) || dirs_.count(key(*full))) return code::FileExists;
  files_[key(*full)] = Entry{*full, std::string(contents), 0};
  return code::Success;
}

PlatformCode VirtualFileSystem::deleteFile(const std::string& path) {
  if (auto code = fault(FileOp::Delete)) return code;
  auto full = resolve(path);
  if (!full) return code::InvalidName;
  auto it = files_.find(key(*full));
  if (it == files_.end()) return dirs_.count(key(*full)) ? code::AccessDenied : code::FileNotFound;
  if (it->second.attributes & ReadOnly) return code::AccessDenied;
  files_.erase(it);
  return code::Success;
}

PlatformCode VirtualFileSystem::deleteSeenFile(const std::string& path, std::string_view seenStart,
                                               bool seenWhole) {
  if (auto full = resolve(path)) {
    auto it = files_.find(key(*full));
    if (it != files_.end()) {
      const std::string_view contents = it->second.contents;
      if (!contents.starts_with(seenStart) || (contents.size() == seenStart.size()) != seenWhole) {
        return code::FileInvalid;
      }
    }
  }
  return deleteFile(path);
}

PlatformCode VirtualFileSystem::moveFile(const std::string& from, const std::string& to) {
  if (auto code = fault(FileOp::Move)) return code;
  auto source = resolve(from);
  auto target = resolve(to);
  if (!source || !target) return code::InvalidName;
  auto it = files_.find(key(*source));
  if (it == files_.end()) return code::FileNotFound;
  if (files_.count(key(*target)) || dirs_.count(key(*target))) return code::AlreadyExists;
  if (!dirs_.count(key(parentOf(*target)))) return code::PathNotFound;
  Entry entry = it->second;
  entry.name = *target;
  files_.erase(it);
  files_[key(*target)] = entry;
  return code::Success;
}

std::vector<std::string> VirtualFileSystem::findPlainFiles(const std::string& pattern) {
  return findPlainFilesIn(driveCurrent_[drive_], pattern);
}

std::vector<std::string> VirtualFileSystem::findPlainFilesIn(const std::string& directory,
                                                             const std::string& pattern) {
  ++calls_[FileOp::List];
  std::vector<std::string> names;
  for (const auto& [fileKey, entry] : files_) {
    if (parentOf(entry.name) != directory && key(parentOf(entry.name)) != key(directory)) continue;
    if (entry.attributes & (Hidden | System)) continue;
    std::string name = nameOf(entry.name);
    if (matches(pattern, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), lessByName);
  return names;
}

std::optional<FileTrust> VirtualFileSystem::plainFileTrust(const std::string& path) {
  auto full = resolve(path);
  if (!full) return std::nullopt;
  auto it = files_.find(key(*full));
  if (it == files_.end() || (it->second.attributes & (Hidden | System))) return std::nullopt;
  return it->second.trust;
}

std::vector<std::string> VirtualFileSystem::findDirectories() {
  return findDirectoriesIn(driveCurrent_[drive_]);
}

std::vector<std::string> VirtualFileSystem::findDirectoriesIn(const std::string& directory) const {
  std::vector<std::string> names;
  for (const auto& [dirKey, fullPath] : dirs_) {
    if (fullPath.size() > 3 && key(parentOf(fullPath)) == key(directory)) {
      names.push_back(nameOf(fullPath));
    }
  }
  std::sort(names.begin(), names.end(), lessByName);
  return names;
}

namespace {

// The walk by full paths: entering appends a name, leaving cuts it off.
class VirtualDirectoryCursor : public DirectoryCursor {
 public:
  VirtualDirectoryCursor(VirtualFileSystem& files, std::string path)
      : files_(files), path_(std::move(path)) {}

  std::vector<std::string> findPlainFiles(const std::string& pattern) override {
    return files_.findPlainFilesIn(path_, pattern);
  }
  std::vector<std::string> findDirectories() override { return files_.findDirectoriesIn(path_); }
  PlatformCode readFileStart(const std::string& name, std::size_t limit,
                             FileStart& start) override {
    return files_.readFileStart(child(name), limit, start);
  }
  PlatformCode enter(const std::string& name) override {
    if (auto code = files_.fault(FileOp::ChangeDirectory)) return code;
    const std::string path = child(name);
    if (!files_.directoryExists(path)) {
      return files_.file(path) ? code::DirectoryNameInvalid : code::PathNotFound;
    }
    trail_.push_back(path_.size());
    path_ = path;
    return code::Success;
  }
  PlatformCode leave() override {
    if (trail_.empty()) return code::InvalidFunction;
    path_.resize(trail_.back());
    trail_.pop_back();
    return files_.directoryExists(path_) ? code::Success : code::PathNotFound;
  }

 private:
  std::string child(const std::string& name) const {
    return path_.back() == '\\' ? path_ + name : path_ + "\\" + name;
  }

  VirtualFileSystem& files_;
  std::string path_;
  std::vector<std::size_t> trail_;
};

}  // namespace

PlatformCode VirtualFileSystem::openDirectoryCursor(const std::string& path,
                                                    std::unique_ptr<DirectoryCursor>& cursor) {
  if (auto code = fault(FileOp::ChangeDirectory)) return code;
  const auto full = resolve(path.empty() ? "." : path);
  if (!full) return code::PathNotFound;
  if (notReady_.count((*full)[0])) return code::NotReady;
  const auto dir = dirs_.find(key(*full));
  if (dir == dirs_.end()) {
    return files_.count(key(*full)) ? code::DirectoryNameInvalid : code::PathNotFound;
  }
  cursor = std::make_unique<VirtualDirectoryCursor>(*this, dir->second);
  return code::Success;
}

PlatformCode VirtualFileSystem::currentDirectory(std::string& path) {
  if (auto code = fault(FileOp::CurrentDirectory)) return code;
  path = driveCurrent_[drive_];
  return code::Success;
}

PlatformCode VirtualFileSystem::changeDirectory(const std::string& path) {
  if (auto code = fault(FileOp::ChangeDirectory)) return code;
  auto full = resolve(path);
  if (!full)
    return path.find_first_of("\"<>|") != std::string::npos ? code::InvalidName
                                                            : code::PathNotFound;
  char drive = (*full)[0];
  if (notReady_.count(drive)) return code::NotReady;
  auto dir = dirs_.find(key(*full));
  if (dir == dirs_.end())
    return files_.count(key(*full)) ? code::DirectoryNameInvalid : code::PathNotFound;
  driveCurrent_[drive] = dir->second;
  drive_ = drive;
  return code::Success;
}

PlatformCode VirtualFileSystem::changeDrive(char letter) {
  if (auto code = fault(FileOp::ChangeDrive)) return code;
  char drive = asciiUpper(letter);
  if (!driveCurrent_.count(drive)) return code::InvalidDrive;
  if (notReady_.count(drive)) return code::NotReady;
  drive_ = drive;
  return code::Success;
}

PlatformCode VirtualFileSystem::makePrivateDirectory(const std::string& path) {
  if (auto code = fault(FileOp::MakeDirectory)) return code;
  auto full = resolve(path);
  if (!full) return code::InvalidName;
  if (files_.count(key(*full))) return code::DirectoryNameInvalid;
  makeDirectory(*full);
  return code::Success;
}

std::vector<ListedFile> VirtualFileSystem::listDirectory(const std::string& path) {
  ++calls_[FileOp::List];
  std::vector<ListedFile> listed;
  auto full = resolve(path);
  if (!full || !dirs_.count(key(*full))) return listed;
  for (const auto& [fileKey, entry] : files_) {
    if (key(parentOf(entry.name)) == key(*full)) {
      listed.push_back({nameOf(entry.name), entry.contents.size()});
    }
  }
  return listed;
}

void VirtualFileSystem::makeDirectory(const std::string& path) {
  auto full = resolve(path);
  if (!full) return;
  std::string partial;
  for (std::size_t i = 0; i <= full->size(); ++i) {
    if (i == full->size() || (*full)[i] == '\\') {
      std::string prefix = full->substr(0, i);
      if (prefix.size() <= 2) prefix = full->substr(0, 3);
      dirs_[key(prefix)] = prefix;
    }
  }
}

void VirtualFileSystem::removeDirectory(const std::string& path) {
  if (auto full = resolve(path)) dirs_.erase(key(*full));
}

void VirtualFileSystem::putFile(const std::string& path, std::string contents,
                                std::uint32_t attributes) {
  auto full = resolve(path);
  if (!full) return;
  makeDirectory(parentOf(*full));
  files_[key(*full)] = Entry{*full, std::move(contents), attributes};
}

VirtualFileSystem::Entry* VirtualFileSystem::entryAt(const std::string& path) {
  auto full = resolve(path);
  if (!full) return nullptr;
  auto it = files_.find(key(*full));
  return it == files_.end() ? nullptr : &it->second;
}

void VirtualFileSystem::setTrust(const std::string& path, FileTrust trust) {
  if (Entry* entry = entryAt(path)) entry->trust = trust;
}

void VirtualFileSystem::setTrustWhenOpened(const std::string& path, FileTrust trust) {
  if (Entry* entry = entryAt(path)) entry->trustWhenOpened = trust;
}

std::optional<std::string> VirtualFileSystem::file(const std::string& path) const {
  auto full = resolve(path);
  if (!full) return std::nullopt;
  auto it = files_.find(key(*full));
  if (it == files_.end()) return std::nullopt;
  return it->second.contents;
}

bool VirtualFileSystem::directoryExists(const std::string& path) const {
  auto full = resolve(path);
  return full && dirs_.count(key(*full));
}

std::map<std::string, std::string> VirtualFileSystem::allFiles() const {
  std::map<std::string, std::string> result;
  for (const auto& [fileKey, entry] : files_) result[entry.name] = entry.contents;
  return result;
}

}  // namespace menue
