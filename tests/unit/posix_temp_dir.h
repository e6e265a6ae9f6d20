// A scratch directory for the POSIX backend tests, made current for the
// test's time, and a way to run a step without root's privileges.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace menue::testing {

class PosixTempDir {
 public:
  PosixTempDir() {
    std::string pattern = "/tmp/menue-posix-test.XXXXXX";
    path_ = mkdtemp(pattern.data());
    chmod(path_.c_str(), 0755);  // reachable for the unprivileged steps
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~PosixTempDir() {
    std::filesystem::current_path(previous_);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_)) {
      if (entry.is_directory() && !entry.is_symlink()) chmod(entry.path().c_str(), 0755);
    }
    std::filesystem::remove_all(path_);
  }
  PosixTempDir(const PosixTempDir&) = delete;
  PosixTempDir& operator=(const PosixTempDir&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::filesystem::path previous_;
};

inline void putFile(const std::string& path, const std::string& contents, mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary) << contents;
  chmod(path.c_str(), mode);
}

inline std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline mode_t modeOf(const std::string& path) {
  struct stat info {};
  lstat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// Runs `step` in a child process as user "nobody" when the tests run as
// root (root ignores directory permissions); returns its result (0-255).
inline int runUnprivileged(const std::function<int()>& step) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(255);
    _exit(step() & 0xFF);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

}  // namespace menue::testing
