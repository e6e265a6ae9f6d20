// End to end, POSIX: real faults under the running program. A read-only
// directory or MenuFile, the current directory removed, a MenuFile turned
// into a directory, a missing or unwritable temporary directory and a
// LaunchScript path planted as a symbolic link: each shows the message of
// its error number, the program goes on where it should, and every MenuFile
// keeps its bytes.
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest-spi.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/fault_support.h"

namespace menue::e2e {
namespace {

const std::string Denied = "Fehler  70  bei ausführung  ";
const std::string NotFound = " > Verzeichnis nicht gefunden. < ";
const std::vector<MenuItem> TwoItems = {{"Eins", '1', {"true"}}, {"Zwei", '1', {"true"}}};
// Separates the messages a child sends back.
constexpr char MessageEnd = '\x1e';
// Begins the one message of a child that cannot run the test as nobody.
constexpr char SkipMark = '\x1f';

// Removes everything below the directory `fd`, however long the paths get.
void removeBelow(int fd) {
  DIR* directory = fdopendir(dup(fd));
  if (directory == nullptr) return;
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    if (fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode)) {
      const int below = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
      if (below >= 0) {
        removeBelow(below);
        close(below);
      }
      unlinkat(fd, name.c_str(), AT_REMOVEDIR);
    } else {
      unlinkat(fd, name.c_str(), 0);
    }
  }
  closedir(directory);
}

// Twenty nested directories of 250-character names below `top`, reached by
// a short path through two links: the directory's own path is longer than a
// path may be, so the system can tell it only by reading every directory
// above it.
fs::path makeDeepDirectory(const fs::path& top) {
  const std::string name(250, 'd');
  std::string half = name;
  for (int i = 1; i < 10; ++i) half += "/" + name;
  fs::create_directory(top);
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY);
  EXPECT_EQ(symlinkat(half.c_str(), fd, "l1"), 0);
  for (int level = 1; fd >= 0 && level <= 20; ++level) {
    mkdirat(fd, name.c_str(), 0755);
    const int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = next;
    if (level == 10) {
      EXPECT_EQ(symlinkat(half.c_str(), fd, "l2"), 0);
    }
  }
  EXPECT_GE(fd, 0) << std::strerror(errno);
  if (fd >= 0) close(fd);
  return top / "l1" / "l2";
}

void setMode(const fs::path& path, mode_t mode) {
  ASSERT_EQ(chmod(path.c_str(), mode), 0) << path << ": " << std::strerror(errno);
}

class FaultTest : public E2eTest {
 protected:
  PtySession& run(const fs::path& directory = {}) {
    started_ = true;
    return start(directory);
  }

  std::string bytesOf(const fs::path& path) { return readFile(path).value_or("<no file>"); }
  std::string menuBytes() { return bytesOf(work() / "-menue-"); }

  // Waits for `message`, presses a key, and waits until the message has
  // gone and `after` shows: the program went on after the key.
  ::testing::AssertionResult reportsAndGoesOn(std::string_view message, std::string_view after) {
    auto result = shows(message);
    if (!result) return result;
    session().sendBytes("x");
    return eventually(
        [&] {
          return !session().screenContains(message) && session().screenContains(after) &&
                 session().rowText(PromptRow).find(">_") != std::string::npos;
        },
        "the message \"" + std::string(message) + "\" gives way to \"" + std::string(after) +
            "\" and the prompt");
  }

  // Runs `body` in a forked child that has become user nobody, so that file
  // modes bite although the tests run as root; the child's failures are
  // reported here. Without root the body runs as it is.
  void asNobody(const std::function<void()>& body);

 private:
  void handOverScratchTree(uid_t user, gid_t group);
  // The child's side: runs the body and collects what failed in it.
  std::string runCollectingFailures(const std::function<void()>& body);

  bool started_ = false;
};

void FaultTest::handOverScratchTree(uid_t user, gid_t group) {
  const fs::path root = work().parent_path();
  ASSERT_EQ(lchown(root.c_str(), user, group), 0);
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    ASSERT_EQ(lchown(entry.path().c_str(), user, group), 0) << entry.path();
  }
}

std::string FaultTest::runCollectingFailures(const std::function<void()>& body) {
  ::testing::TestPartResultArray results;
  {
    ::testing::ScopedFakeTestPartResultReporter reporter(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &results);
    body();
  }
  std::string report;
  for (int i = 0; i < results.size(); ++i) {
    const ::testing::TestPartResult& result = results.GetTestPartResult(i);
    if (result.skipped()) continue;
    report += std::string(result.file_name() ? result.file_name() : "?") + ":" +
              std::to_string(result.line_number()) + ": " + result.message() + MessageEnd;
  }
  if (started_) {
    if (!report.empty()) report += session().dump() + MessageEnd;
    // The child leaves without destructors: the program must not outlive it.
    session().sendSignal(SIGKILL);
    session().waitForExit(within(Patience));
  }
  return report;
}

void FaultTest::asNobody(const std::function<void()>& body) {
  if (geteuid() != 0) {
    body();
    // The modes the body set must not keep the scratch tree from going.
    std::error_code error;
    for (fs::recursive_directory_iterator
             entry(work().parent_path(), fs::directory_options::skip_permission_denied, error),
         end;
         !error && entry != end; entry.increment(error)) {
      if (entry->is_directory(error) && !entry->is_symlink(error)) {
        chmod(entry->path().c_str(), 0755);
      }
    }
    return;
  }
  const passwd* user = getpwnam("nobody");
  if (user == nullptr) GTEST_SKIP() << "no user nobody to drop to; file modes do not bite for root";
  const uid_t uid = user->pw_uid;
  const gid_t gid = user->pw_gid;
  // The build directory may be private to its owner (a checkout in a home
  // directory of mode 0700, or in mktemp -d): nobody runs a copy.
  ASSERT_NO_FATAL_FAILURE(useCopyOfProgram());
  ASSERT_NO_FATAL_FAILURE(handOverScratchTree(uid, gid));

  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0) << std::strerror(errno);
  if (child == 0) {
    close(channel[0]);
    std::string report;
    if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) {
      report = std::string("cannot become nobody: ") + std::strerror(errno) + MessageEnd;
    } else if (access(program().c_str(), X_OK) != 0 || access(work().c_str(), X_OK) != 0) {
      // A scratch directory below a TMPDIR only its owner may enter.
      report = SkipMark + ("user nobody cannot reach " + work().parent_path().string() + ": " +
                           std::strerror(errno) + "; file modes do not bite for root");
    } else {
      report = runCollectingFailures(body);
    }
    for (std::size_t sent = 0; sent < report.size();) {
      const ssize_t put = write(channel[1], report.data() + sent, report.size() - sent);
      if (put <= 0 && errno != EINTR) break;
      if (put > 0) sent += static_cast<std::size_t>(put);
    }
    _exit(0);
  }
  close(channel[1]);
  std::string report;
  char buffer[4096];
  for (;;) {
    const ssize_t got = read(channel[0], buffer, sizeof buffer);
    if (got > 0) {
      report.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  close(channel[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child ended abnormally";
  if (!report.empty() && report[0] == SkipMark) GTEST_SKIP() << report.substr(1);
  for (std::size_t begin = 0; begin < report.size();) {
    const std::size_t end = report.find(MessageEnd, begin);
    ADD_FAILURE() << report.substr(begin, end - begin);
    begin = end == std::string::npos ? report.size() : end + 1;
  }
}

TEST_F(FaultTest, ReadOnlyDirectoryRefusesEveryEditAndKeepsTheMenu) {
  writeMenu("-menue-", "Start", TwoItems);
  const std::string before = menuBytes();
  asNobody([&] {
    ASSERT_NO_FATAL_FAILURE(setMode(work(), 0555));
    run();
    ASSERT_TRUE(shows(" Eins "));
    ASSERT_TRUE(entered("Menü-1"));
    ASSERT_TRUE(reportsAndGoesOn(Denied, " Eins "));
    ASSERT_TRUE(entered("Menü+"));
    ASSERT_TRUE(answered("Anzeigetext >", "Drei"));
    ASSERT_TRUE(shows(" Eingabe >_"));
    session().sendBytes("1");
    ASSERT_TRUE(answered("Befehlszeile (beenden mit <Enter>:)", ""));
    ASSERT_TRUE(reportsAndGoesOn(Denied, " Eins "));
    ASSERT_TRUE(entered("Menü--"));
    ASSERT_TRUE(shows("löschen ?"));
    session().sendBytes("j");
    ASSERT_TRUE(reportsAndGoesOn(Denied, " Zwei "));
    EXPECT_EQ(menuBytes(), before);
    EXPECT_EQ(temporariesIn(work()), std::set<std::string>{});
    EXPECT_TRUE(endsWithEsc());
  });
}

TEST_F(FaultTest, ReadOnlyMenuFileIsShownButNotRewritten) {
  writeMenu("-menue-", "Start", TwoItems);
  const std::string before = menuBytes();
  ASSERT_NO_FATAL_FAILURE(setMode(work() / "-menue-", 0444));
  // No write bit at all is the read-only attribute, for root as well.
  run();
  ASSERT_TRUE(shows(" Zwei "));
  ASSERT_TRUE(entered("Menü*1+2"));
  ASSERT_TRUE(reportsAndGoesOn(Denied, " Eins "));
  EXPECT_EQ(session().findRow(" Eins "), 8);
  EXPECT_EQ(menuBytes(), before);
  EXPECT_EQ(temporariesIn(work()), std::set<std::string>{});
  struct stat info {};
  ASSERT_EQ(stat((work() / "-menue-").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0444u);
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(FaultTest, ReadOnlyMenuFileIsNotDeleted) {
  writeMenu("-menue-", "Start", TwoItems);
  const std::string before = menuBytes();
  ASSERT_NO_FATAL_FAILURE(setMode(work() / "-menue-", 0444));
  run();
  ASSERT_TRUE(shows(" Eins "));
  ASSERT_TRUE(entered("Menü--"));
  ASSERT_TRUE(shows("löschen ?"));
  session().sendBytes("j");
  ASSERT_TRUE(reportsAndGoesOn(Denied, " Eins "));
  EXPECT_EQ(menuBytes(), before);
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(FaultTest, RemovedCurrentDirectoryKeepsThePromptAndHomeWorks) {
  writeMenu("-menue-", "Oben", {{"Eins", '1', {"true"}}});
  const fs::path below = work() / "unter";
  fs::create_directory(below);
  writeMenu("-menue-", "Unten", {{"Unterpunkt", '1', {"true"}}}, below);
  run();
  ASSERT_TRUE(shows(" Eins "));
  ASSERT_TRUE(entered("cd unter"));
  ASSERT_TRUE(shows(" Unterpunkt "));
  ASSERT_TRUE(showsPrompt(below));

  fs::remove_all(below);
  // The next pass finds no menu; the prompt still names the directory.
  session().pressKey(Key::Left);
  ASSERT_TRUE(shows(below.string() + " (Home=cd!) >_"));
  ASSERT_TRUE(entered("cd!"));
  ASSERT_TRUE(shows(" Eins "));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(FaultTest, MenuFileReplacedByDirectoryDuringAnEdit) {
  writeMenu("-menue-", "Start", TwoItems);
  run();
  ASSERT_TRUE(shows(" Eins "));
  ASSERT_TRUE(entered("Menü+"));
  ASSERT_TRUE(answered("Anzeigetext >", "Drei"));
  ASSERT_TRUE(shows(" Eingabe >_"));
  fs::remove(work() / "-menue-");
  fs::create_directory(work() / "-menue-");
  session().sendBytes("1");
  ASSERT_TRUE(answered("Befehlszeile (beenden mit <Enter>:)", ""));
  // Without a MenuFile no menu is drawn afterwards.
  ASSERT_TRUE(reportsAndGoesOn(Denied, work().string() + ">_"));
  EXPECT_FALSE(session().screenContains(" Eins "));
  EXPECT_TRUE(fs::is_directory(work() / "-menue-"));
  EXPECT_TRUE(fs::is_empty(work() / "-menue-"));
  EXPECT_EQ(temporariesIn(work()), std::set<std::string>{});
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(FaultTest, MissingTemporaryDirectoryFailsAPassThroughOnly) {
  writeMenu("-menue-", "Start", TwoItems);
  fs::remove(temp());
  run();
  ASSERT_TRUE(shows(" Eins "));
  ASSERT_TRUE(entered("echo hallo > ausgabe.txt"));
  // As on Windows, a file created in a missing directory is a missing path.
  ASSERT_TRUE(reportsAndGoesOn(NotFound, " Eins "));
  EXPECT_FALSE(fs::exists(work() / "ausgabe.txt"));
  EXPECT_FALSE(fs::exists(temp()));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(FaultTest, UnwritableTemporaryDirectoryFailsAPassThroughOnly) {
  writeMenu("-menue-", "Start", TwoItems);
  const std::string oldScript = "@Echo off\r\necho alt\r\n";
  asNobody([&] {
    run();
    ASSERT_TRUE(shows(" Eins "));
    // Left by an earlier run of the same process number.
    writeFile(launchScript(), oldScript);
    ASSERT_NO_FATAL_FAILURE(setMode(temp(), 0555));
    // The old script cannot be deleted...
    ASSERT_TRUE(entered("echo hallo > ausgabe.txt"));
    ASSERT_TRUE(reportsAndGoesOn(Denied, " Eins "));
    EXPECT_EQ(bytesOf(launchScript()), oldScript);
    // ...and without it the new one cannot be created.
    ASSERT_NO_FATAL_FAILURE(setMode(temp(), 0755));
    fs::remove(launchScript());
    ASSERT_NO_FATAL_FAILURE(setMode(temp(), 0555));
    ASSERT_TRUE(entered("echo hallo > ausgabe.txt"));
    ASSERT_TRUE(reportsAndGoesOn(Denied, " Eins "));
    EXPECT_FALSE(fs::exists(launchScript()));
    EXPECT_FALSE(fs::exists(work() / "ausgabe.txt"));
    EXPECT_TRUE(endsWithEsc());
  });
}

// A link planted where the LaunchScript goes, to a file that would run
// something: the link itself is replaced; its target is never written to or
// run.
TEST_F(FaultTest, LaunchScriptLinkToAFileIsReplacedNotFollowed) {
  writeMenu("-menue-", "Start", TwoItems);
  const fs::path outside = work().parent_path() / "draussen";
  fs::create_directory(outside);
  const std::string planted = "@Echo off\r\ntouch gelaufen\r\n";
  writeFile(outside / "ziel.cmd", planted);
  run();
  ASSERT_TRUE(shows(" Eins "));
  fs::create_symlink(outside / "ziel.cmd", launchScript());
  ASSERT_TRUE(entered("echo hallo > ausgabe.txt"));
  ASSERT_TRUE(eventually([&] { return bytesOf(work() / "ausgabe.txt") == "hallo\n"; },
                         "the typed line ran"));
  EXPECT_FALSE(fs::is_symlink(launchScript()));
  EXPECT_EQ(bytesOf(launchScript()), "@Echo off\r\necho hallo > ausgabe.txt\r\n");
  EXPECT_EQ(bytesOf(outside / "ziel.cmd"), planted);
  EXPECT_FALSE(fs::exists(work() / "gelaufen"));
  EXPECT_FALSE(fs::exists(outside / "gelaufen"));

  // The orderly exit deletes a link found there, never its target.
  session().sendBytes("x");
  ASSERT_TRUE(shows(" Eins "));
  fs::remove(launchScript());
  fs::create_symlink(outside / "ziel.cmd", launchScript());
  EXPECT_TRUE(endsWithEsc());
  EXPECT_FALSE(fs::exists(fs::symlink_status(launchScript())));
  EXPECT_EQ(bytesOf(outside / "ziel.cmd"), planted);
}

// A link to a name that does not exist yet: creating the script through it
// would make a file outside. The run is refused with the error of an
// existing file, and nothing is created or started.
TEST_F(FaultTest, LaunchScriptLinkToNothingRefusesTheRun) {
  writeMenu("-menue-", "Start", TwoItems);
  const fs::path outside = work().parent_path() / "draussen";
  fs::create_directory(outside);
  run();
  ASSERT_TRUE(shows(" Eins "));
  fs::create_symlink(outside / "neu.cmd", launchScript());
  ASSERT_TRUE(entered("echo hallo > ausgabe.txt"));
  ASSERT_TRUE(reportsAndGoesOn("Fehler  75  bei ausführung  ", " Eins "));
  EXPECT_FALSE(fs::exists(work() / "ausgabe.txt"));
  EXPECT_TRUE(fs::is_empty(outside));
  EXPECT_TRUE(fs::is_symlink(launchScript()));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_TRUE(fs::is_empty(outside));
}

// A start directory whose path cannot be read (it is longer than a path may
// be and a directory above it may not be listed): the start-up's failure
// goes to the error table like any other and the program never aborts.
TEST_F(FaultTest, StartDirectoryWithoutAReadablePath) {
  const fs::path top = work().parent_path() / "tief";
  asNobody([&] {
    const fs::path deep = makeDeepDirectory(top);
    ASSERT_NO_FATAL_FAILURE(setMode(top, 0111));
    run(deep);
    ASSERT_TRUE(eventually([&] { return !session().running() || session().screenContains(Denied); },
                           "the program reports 70 or ends"));
    if (session().running()) {
      EXPECT_TRUE(endsWithEsc());
    } else {
      EXPECT_EQ(session().waitForExit(within(Patience)), 0);
    }
  });
  chmod(top.c_str(), 0755);
  const int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  removeBelow(fd);
  close(fd);
}

}  // namespace
}  // namespace menue::e2e
