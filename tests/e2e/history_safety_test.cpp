// End to end, POSIX: the edit history and --edit where they can fail: a
// file-size limit, odd paths and planted entries, a rename meanwhile, a held lock.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

std::string shellWord(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

class HistorySafetyTest : public E2eTest {
 protected:
  struct Run {
    int status = -1;
    std::string out;
    std::string err;
  };

  fs::path home() const { return home_.empty() ? work().parent_path() : home_; }
  void useHome(const fs::path& home) { home_ = home; }
  fs::path stateDirectory() const { return home() / ".local/state/menue"; }
  fs::path menuPath() const { return work() / "-menue-"; }

  void useEditorCommand(const std::string& command) { editor_ = command; }
  void useEditor(const std::string& body) {
    const fs::path script = work().parent_path() / "editor";
    writeFile(script, "#!/bin/sh\n" + body);
    fs::permissions(script, fs::perms::owner_all);
    editor_ = script.string();
  }

  // Runs the program without a terminal in `directory` (default: work()),
  // after the shell words `runner` (prlimit, ...), reading `answers`.
  Run run(const std::vector<std::string>& arguments, const std::string& answers = "",
          const std::string& runner = "", const fs::path& directory = {}) {
    const fs::path files = work().parent_path();
    writeFile(files / "answers", answers);
    std::string command = "cd " + shellWord((directory.empty() ? work() : directory).string()) +
                          " && env -i PATH=/usr/bin:/bin HOME=" + shellWord(home().string()) +
                          " TMP=" + shellWord(temp().string()) + " VISUAL=" + shellWord(editor_) +
                          " " + runner + " " + shellWord(program().string());
    for (const std::string& argument : arguments) command += " " + shellWord(argument);
    command += " <" + shellWord((files / "answers").string()) + " >" +
               shellWord((files / "out").string()) + " 2>" + shellWord((files / "err").string());
    const int status = std::system(command.c_str());
    Run result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readFile(files / "out").value_or("");
    result.err = readFile(files / "err").value_or("");
    return result;
  }

  std::vector<fs::path> stateFiles(std::string_view containing = "") const {
    std::vector<fs::path> files;
    if (!fs::exists(stateDirectory())) return files;
    for (const auto& entry : fs::directory_iterator(stateDirectory())) {
      if (entry.path().filename().string().find(containing) != std::string::npos) {
        files.push_back(entry.path());
      }
    }
    return files;
  }
  std::size_t historyEntries() const {
    std::size_t count = 0;
    for (const fs::path& file : stateFiles()) {
      count += file.filename().string().find("bearbeiten") == std::string::npos;
    }
    return count;
  }

 private:
  std::string editor_ = "false";
  fs::path home_;
};

std::string menuOfSize(const std::string& header, std::size_t size) {
  std::string text = menuFileText(header, {{"Eins", '1', {"true"}}});
  return text + std::string(size - text.size(), 'x');
}

// A file-size limit between the MenuFile's size and its entry's: the change
// is made without the entry; past the limit the write fails, keeping file
// and copy. SIGXFSZ kills no mode.
TEST_F(HistorySafetyTest, AFileSizeLimitStopsTheEntryNeverTheEdit) {
  const std::string before = menuOfSize("Alt", 1000);
  struct Case {
    const char* what;
    std::string edited;  // what the editor leaves, empty for --undo
    int status;
    bool changed;
  };
  const Case cases[] = {
      {"edit", menuOfSize("Neu", 1000), 0, true},
      {"undo", "", 0, true},
      {"edit past the limit", menuOfSize("Neu", 1200), 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(stateDirectory());
    writeFile(menuPath(), before);
    if (c.edited.empty()) {
      writeFile(work().parent_path() / "edited", menuOfSize("Neu", 1000));
      useEditor("cp ../edited \"$1\"\n");
      ASSERT_EQ(run({"--edit"}).status, 0);
    }
    const std::string now = readFile(menuPath()).value_or("");
    const std::size_t entries = historyEntries();
    writeFile(work().parent_path() / "edited", c.edited);
    // The editor's own write lifts the limit.
    useEditor("ulimit -f unlimited\ncp ../edited \"$1\"\n");
    const Run limited = c.edited.empty()
                            ? run({"--undo"}, "j\n", "prlimit --fsize=1100:unlimited --")
                            : run({"--edit"}, "", "prlimit --fsize=1100:unlimited --");
    EXPECT_EQ(limited.status, c.status) << limited.err;
    EXPECT_EQ(historyEntries(), entries);
    const std::string after = readFile(menuPath()).value_or("");
    if (!c.changed) {
      EXPECT_EQ(after, now);
      EXPECT_NE(limited.err.find("Die Kopie bleibt"), std::string::npos) << limited.err;
    } else {
      EXPECT_EQ(after, c.edited.empty() ? before : c.edited);
      EXPECT_TRUE(stateFiles("bearbeiten").empty());
    }
  }
}

mode_t modeOf(const fs::path& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 07777;
}

// The copy's path reaches the editor as one argument whatever HOME holds,
// VISUAL keeps its shell meaning; copy and entries are the user's alone, and
// a copy someone else could have put there is not installed.
TEST_F(HistorySafetyTest, TheEditorGetsTheCopysPathAsItIsAndOnlyTheUsersCopyIsInstalled) {
  const std::string before = menuFileText("Alt", {{"Eins", '1', {"true"}}});
  const std::string after = menuFileText("Neu", {{"Eins", '1', {"true"}}});
  struct Case {
    const char* what;
    std::string home;  // below the scratch tree
    std::string editor;
    bool installed;
  };
  const std::string swapIn = work().parent_path().string() + "/fremd";
  const Case cases[] = {
      {"quote in HOME", "a\"b c", "sh -c 'stat -c %a \"$0\" > ../mode && sed -i s/Alt/Neu/ \"$0\"'",
       true},
      {"shell text in HOME", "$(touch pwned) `touch pwned` 'x", "sed -i 's/Alt/Neu/'", true},
      {"copy swapped by another owner", "h",
       "sh -c 'cp \"$0\" " + swapIn + " && sed -i s/Alt/Neu/ " + swapIn + " && chown nobody " +
           swapIn + " && mv " + swapIn + " \"$0\"'",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path home = work().parent_path() / c.home;
    fs::create_directories(home);
    useHome(home);
    writeFile(menuPath(), before);
    useEditorCommand(c.editor);
    const Run edit = run({"--edit"});
    EXPECT_FALSE(fs::exists(work() / "pwned"));
    if (!c.installed) {
      EXPECT_EQ(edit.status, 2) << edit.err;
      EXPECT_NE(edit.err.find("nicht installiert"), std::string::npos) << edit.err;
      EXPECT_EQ(readFile(menuPath()), before);
      continue;
    }
    EXPECT_EQ(edit.status, 0) << edit.err;
    EXPECT_EQ(readFile(menuPath()), after);
    ASSERT_EQ(historyEntries(), 1u);
    EXPECT_EQ(modeOf(stateFiles().front()), 0600u);
  }
  EXPECT_EQ(readFile(work().parent_path() / "mode"), "600\n");
}

// A path with a line end keeps its history; an entry's planted fields
// reach the terminal escaped from --history and --undo.
TEST_F(HistorySafetyTest, AnyPathKeepsItsHistoryAndEntryFieldsAreShownEscaped) {
  const fs::path odd = work() / "neue\nzeile";
  fs::create_directories(odd);
  writeFile(odd / "-menue-", menuFileText("Alt", {{"Eins", '1', {"true"}}}));
  useEditorCommand("sed -i s/Alt/Neu/");
  ASSERT_EQ(run({"--edit"}, "", "", odd).status, 0);
  const Run listed = run({"--history"}, "", "", odd);
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find("--edit"), std::string::npos) << listed.out;

  ASSERT_EQ(stateFiles().size(), 1u);
  const fs::path entry = stateFiles().front();
  std::string text = readFile(entry).value_or("");
  const std::size_t cause = text.find("\ncause --edit\n");
  ASSERT_NE(cause, std::string::npos);
  text.replace(cause, 14, "\ncause \x1b]0;titel\x07\x1b[2J\n");
  const std::size_t time = text.find(' ', text.find("\ntime ") + 6);
  text.insert(time + 1, "\x1b[31m");
  writeFile(entry, text);
  const Run planted = run({"--history"}, "", "", odd);
  const Run undo = run({"--undo"}, "n\n", "", odd);
  for (const Run& shown : {planted, undo}) {
    EXPECT_EQ(shown.out.find('\x1b'), std::string::npos) << shown.out;
    EXPECT_EQ(shown.err.find('\x1b'), std::string::npos) << shown.err;
    EXPECT_EQ(shown.out.find('\x07'), std::string::npos) << shown.out;
  }
  EXPECT_NE(planted.out.find("\\033]0;titel\\a\\033[2J"), std::string::npos) << planted.out;
  EXPECT_NE(undo.out.find("\\033[31m"), std::string::npos) << undo.out;
}

// Runs `script` with bash, its output to `scratch`/out; the exit status.
int bash(const fs::path& scratch, const std::string& script) {
  writeFile(scratch / "script", script);
  const std::string command = "bash " + shellWord((scratch / "script").string()) + " >" +
                              shellWord((scratch / "out").string()) + " 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Without RENAME_EXCHANGE (strace fails renameat2 with EINVAL and stops
// menue there), a sed -i renaming over the MenuFile before menue's rename
// keeps its change; the edit is refused with its copy kept.
TEST_F(HistorySafetyTest, WithoutTheSwapARenameMeanwhileKeepsItsChange) {
  if (std::system("strace -o /dev/null true 2>/dev/null") != 0) {
    GTEST_SKIP() << "strace cannot trace here";
  }
  writeFile(menuPath(), menuFileText("Alt", {{"Eins", '1', {"true"}}}));
  const fs::path scratch = work().parent_path();
  const std::string script =
      "cd " + shellWord(work().string()) + "\n" +
      "env -i PATH=/usr/bin:/bin HOME=" + shellWord(home().string()) +
      " VISUAL='sed -i s/Alt/Neu/' strace -o " + shellWord((scratch / "trace").string()) +
      " -e trace=rename,renameat2"
      " -e inject=renameat2:error=EINVAL:signal=SIGSTOP " +
      shellWord(program().string()) + " --edit </dev/null >" +
      shellWord((scratch / "edit").string()) +
      " 2>&1 &\n"
      "tracer=$!\n"
      "stopped() { grep -q '^[^)]*) [tT]' /proc/$child/stat 2>/dev/null; }\n"
      // A traced process also shows as stopped at every system call: only
      // strace's word that it injected the failure says the rename came.
      "injected() { grep -q INJECTED " +
      shellWord((scratch / "trace").string()) +
      "; }\n"
      "for i in $(seq 600); do\n"
      "  read -r child _ < /proc/$tracer/task/$tracer/children\n"
      "  [ -n \"$child\" ] && injected && stopped && break\n"
      "  sleep 0.05\n"
      "done\n"
      "sed -i s/Alt/Anders/ ./-menue-\n"
      "while kill -0 $child 2>/dev/null; do stopped && kill -CONT $child; sleep 0.05; done\n"
      "wait $tracer\n";
  const int status = bash(scratch, script);
  const std::string edit = readFile(scratch / "edit").value_or("");
  EXPECT_EQ(status, 1) << edit << readFile(scratch / "out").value_or("");
  EXPECT_EQ(readFile(menuPath()), menuFileText("Anders", {{"Eins", '1', {"true"}}}));
  EXPECT_NE(edit.find("inzwischen ge\xC3\xA4ndert: nicht installiert"), std::string::npos) << edit;
  EXPECT_NE(edit.find("Die Kopie bleibt"), std::string::npos) << edit;
  EXPECT_EQ(std::distance(fs::directory_iterator(work()), {}), 1);
}

// The edits' lock held by another menue of the user's (a child here): the
// menu's edit gives up with a message, the file stays, ESC ends the menu.
TEST_F(HistorySafetyTest, AHeldLockStopsTheMenusEditWithAMessage) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true 1"}}, {"Zwei", '1', {"true 2"}}});
  const std::string before = readFile(menuPath()).value_or("");
  int held[2];
  ASSERT_EQ(pipe(held), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    const int fd = open(menuPath().c_str(), O_RDWR | O_CLOEXEC);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (fd < 0 || fcntl(fd, F_OFD_SETLK, &whole) != 0 || write(held[1], "x", 1) != 1) _exit(1);
    for (;;) pause();
  }
  close(held[1]);
  char byte = 0;
  ASSERT_EQ(read(held[0], &byte, 1), 1);
  close(held[0]);
  start();
  EXPECT_TRUE(showsAt(8, 38, " Eins "));
  EXPECT_TRUE(entered("Men\xC3\xBC*1+2"));
  EXPECT_TRUE(shows("gesperrt: ein anderes menue \xC3\xA4ndert sie gerade"));
  EXPECT_TRUE(showsAt(8, 38, " Eins "));
  EXPECT_TRUE(endsWithEsc());
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_EQ(readFile(menuPath()), before);
}

}  // namespace
}  // namespace menue::e2e
