// Files and directories through the Windows file API, each call with the
// critical-error boxes off and returning GetLastError() codes.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue::win32 {

class Win32Files : public FileSystem {
 public:
  Win32Files();

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

 private:
  // Keeps the current directory as its drive's remembered one ("=X:").
  void rememberDriveDirectory();
  // The last step of replaceFile for a file that exists.
  PlatformCode replaceSeen(const std::wstring& target, const std::wstring& temporary,
                           const std::wstring& backup, std::string_view seen);

  unsigned temporaryCounter_ = 0;
};

}  // namespace menue::win32
