// A FileSystem that passes every call to another one: the base of a file
// system that changes only some calls, so it names just those.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace menue {

class ForwardingFiles : public FileSystem {
 public:
  explicit ForwardingFiles(FileSystem& files) : files_(files) {}

  PlatformCode readFileStart(const std::string& path, std::size_t limit,
                             FileStart& start) override {
    return files_.readFileStart(path, limit, start);
  }
  PlatformCode replaceFile(const std::string& path, SeenText seen,
                           std::string_view contents) override {
    return files_.replaceFile(path, seen, contents);
  }
  PlatformCode createNewFile(const std::string& path, std::string_view contents) override {
    return files_.createNewFile(path, contents);
  }
  PlatformCode deleteFile(const std::string& path) override { return files_.deleteFile(path); }
  PlatformCode deleteSeenFile(const std::string& path, std::string_view seenStart,
                              bool seenWhole) override {
    return files_.deleteSeenFile(path, seenStart, seenWhole);
  }
  PlatformCode moveFile(const std::string& from, const std::string& to) override {
    return files_.moveFile(from, to);
  }
  std::vector<std::string> findPlainFiles(const std::string& pattern) override {
    return files_.findPlainFiles(pattern);
  }
  std::optional<FileTrust> plainFileTrust(const std::string& path) override {
    return files_.plainFileTrust(path);
  }
  std::optional<PlainFileLook> lookAtPlainFile(const std::string& path) override {
    return files_.lookAtPlainFile(path);
  }
  std::vector<std::string> findDirectories() override { return files_.findDirectories(); }
  PlatformCode openDirectoryCursor(const std::string& path,
                                   std::unique_ptr<DirectoryCursor>& cursor) override {
    return files_.openDirectoryCursor(path, cursor);
  }
  PlatformCode currentDirectory(std::string& path) override {
    return files_.currentDirectory(path);
  }
  PlatformCode changeDirectory(const std::string& path) override {
    return files_.changeDirectory(path);
  }
  PlatformCode changeDrive(char letter) override { return files_.changeDrive(letter); }
  PlatformCode makePrivateDirectory(const std::string& path) override {
    return files_.makePrivateDirectory(path);
  }
  std::vector<ListedFile> listDirectory(const std::string& path) override {
    return files_.listDirectory(path);
  }

 protected:
  // The file system every call reaches.
  FileSystem& files() { return files_; }

 private:
  FileSystem& files_;
};

}  // namespace menue
