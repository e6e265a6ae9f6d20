// End to end, POSIX: the command line. What ends without the menu writes
// plain lines to its stream and leaves the terminal untouched; a start
// directory becomes the one "cd!" returns to; --check reports FILE:LINE:
// and says by its exit status whether all is sound; output that does not
// arrive (a full disk, a closed pipe) is an error, not a success.
#include <algorithm>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

// A chain of `levels` directories "d" below `top`, made by descriptors (no
// path of it could be named whole), with `menu` as the deepest one's
// MenuFile; and its removal the same way, from the bottom up.
void makeChain(const fs::path& top, int levels, std::string_view menu) {
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  for (int level = 0; level < levels; ++level) {
    ASSERT_EQ(mkdirat(fd, "d", 0700), 0);
    const int child = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(child, 0);
    close(fd);
    fd = child;
  }
  const int file = openat(fd, "-menue-", O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  ASSERT_GE(file, 0);
  ASSERT_EQ(write(file, menu.data(), menu.size()), static_cast<ssize_t>(menu.size()));
  close(file);
  close(fd);
}

void removeChain(const fs::path& top, int levels) {
  int fd = open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  for (int level = 0; level < levels; ++level) {
    const int child = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(child, 0);
    close(fd);
    fd = child;
  }
  unlinkat(fd, "-menue-", 0);
  for (int level = 0; level < levels; ++level) {
    const int parent = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(parent, 0);
    close(fd);
    fd = parent;
    ASSERT_EQ(unlinkat(fd, "d", AT_REMOVEDIR), 0);
  }
  close(fd);
}

// Every line of a text for the terminal fits an 80-column window with the
// cursor after it: at most 79 characters (UTF-8 continuation bytes are no
// characters).
void expectLinesFit(const std::string& text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(begin, end - begin);
    const auto characters = std::count_if(line.begin(), line.end(), [](char c) {
      return (static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r';
    });
    EXPECT_LE(characters, 79) << line;
    begin = end + 1;
  }
}

class CommandLineTest : public E2eTest {
 protected:
  struct Run {
    int status = -1;
    std::string out;  // what reached the terminal, CR LF as the terminal sends it
    std::string err;
  };

  Run runToEnd(const std::vector<std::string>& arguments) {
    PtySession& session = startWithArguments(arguments);
    Run run;
    run.status = session.waitForExit(within(Patience)).value_or(-1);
    run.out = session.output();
    run.err = standardError();
    // Nothing of the full-screen program: no console set up, no sequence sent.
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;
    EXPECT_TRUE(terminalRestored());
    return run;
  }
};

TEST_F(CommandLineTest, HelpAndVersionGoToStandardOutput) {
  for (const char* option : {"--help", "-h"}) {
    const Run help = runToEnd({option});
    EXPECT_EQ(help.status, 0) << option;
    EXPECT_EQ(help.out.rfind("Aufruf: menue [VERZEICHNIS]\r\n", 0), 0u) << help.out;
    // The German letters in the terminal's UTF-8.
    EXPECT_NE(help.out.find("Men\xC3\xBC"
                            "dateien pr\xC3\xBC"
                            "fen"),
              std::string::npos);
    EXPECT_EQ(help.err, "");
    expectLinesFit(help.out);
  }
  // The version first, then the copyright and the licence, as GNU programs do.
  const Run version = runToEnd({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out,
            "menue 1.1\r\n"
            "Copyright (C) 2026 the menue developers\r\n"
            "Lizenz MIT <https://opensource.org/licenses/MIT>: freie Software ohne "
            "Gew\xC3\xA4hr.\r\n");
  expectLinesFit(version.out);
}

// The program run in work() with its standard output on `output` (closed
// for -1) and its standard error into a file, outside any terminal, SIGPIPE as a shell
// leaves it (default, not blocked). The status is 128 + the signal that
// ended it, as a shell says.
struct PlainRun {
  int status = -1;
  std::string err;
};

PlainRun runWithOutputOn(const fs::path& program, const fs::path& directory, int output,
                         const std::vector<std::string>& arguments) {
  const fs::path errFile = directory / ".stderr";
  std::vector<std::string> words = {program.string()};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const bool outputSet = output < 0 ? close(1) == 0 : dup2(output, 1) == 1;
    if (err < 0 || chdir(directory.c_str()) != 0 || !outputSet || dup2(err, 2) < 0) _exit(127);
    signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  PlainRun run;
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child) {
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  run.err = readFile(errFile).value_or("");
  fs::remove(errFile);
  return run;
}

TEST_F(CommandLineTest, OutputThatDoesNotArriveIsAnErrorOfItsOwn) {
  writeMenu("-menue-", "Gut", {{"Eins", '1', {"true"}}});
  const std::string prefix = "menue: Schreibfehler auf der Standardausgabe: ";
  const int full = open("/dev/full", O_WRONLY);
  const int nowhere = open("/dev/null", O_WRONLY);
  ASSERT_GE(full, 0);
  ASSERT_GE(nowhere, 0);
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  close(pipeEnds[0]);  // no reader: every write gets EPIPE (and SIGPIPE)
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--help"}, {"--version"}, {"--check"}}) {
    SCOPED_TRACE(arguments.front());
    const PlainRun onFullDisk = runWithOutputOn(program(), work(), full, arguments);
    EXPECT_EQ(onFullDisk.status, 2);
    EXPECT_EQ(onFullDisk.err, prefix + "kein Platz mehr auf dem Datentr\xC3\xA4ger\n");
    const PlainRun onClosedPipe = runWithOutputOn(program(), work(), pipeEnds[1], arguments);
    EXPECT_EQ(onClosedPipe.status, 2);
    EXPECT_EQ(onClosedPipe.err, prefix + "der Empf\xC3\xA4nger hat die Pipe geschlossen\n");
    const PlainRun closed = runWithOutputOn(program(), work(), -1, arguments);
    EXPECT_EQ(closed.status, 2);
    EXPECT_EQ(closed.err, prefix +
                              "nicht ge\xC3\xB6"
                              "ffnet\n");
    // Output that arrives, even where nobody reads it, is no failure.
    const PlainRun onNull = runWithOutputOn(program(), work(), nowhere, arguments);
    EXPECT_EQ(onNull.status, 0);
    EXPECT_EQ(onNull.err, "");
  }
  close(pipeEnds[1]);
  close(full);
  close(nowhere);
}

TEST_F(CommandLineTest, WrongCallsGetOneLineOnStandardErrorAndStatusTwo) {
  writeFile(work() / "datei", "x");
  const std::string missing = (work() / "fehlt").string();
  const std::string Unknown =
      "unbekannte Option (eine Datei, deren Name mit - beginnt: nach -- oder als ./-name) "
      "(Hilfe: menue --help)\n";
  const std::vector<std::pair<std::vector<std::string>, std::string>> calls = {
      {{"--bogus"}, "menue: --bogus: " + Unknown},
      {{"-x"}, "menue: -x: " + Unknown},
      // Names made visible: no byte of an argument acts on the terminal.
      {{"--\x1B"
        "c"},
       "menue: --\\033c: " + Unknown},
      {{"weg\x1B]0;titel\a"}, "menue: weg\\033]0;titel\\a: nicht gefunden\n"},
      {{"eins", "zwei"}, "menue: zwei: nur ein Verzeichnis erlaubt (Hilfe: menue --help)\n"},
      // The option is the subject, named once.
      {{"--run"}, "menue: --run: erwartet eine Nummer (Hilfe: menue --help)\n"},
      {{missing}, "menue: " + missing + ": nicht gefunden\n"},
      {{"--", "datei"}, "menue: datei: kein Verzeichnis\n"},
  };
  for (const auto& [arguments, message] : calls) {
    SCOPED_TRACE(arguments.front());
    const Run run = runToEnd(arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, message);
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(CommandLineTest, DirectoryArgumentBecomesTheStartDirectory) {
  const fs::path projects = work() / "projekte";
  fs::create_directory(projects);
  writeMenu("-menue-", "Projekte", {{"Bauen", '1', {"true"}}}, projects);
  startWithArguments({projects.string()});
  ASSERT_TRUE(shows("Projekte"));
  ASSERT_TRUE(showsPrompt(projects));
  ASSERT_TRUE(entered("cd .."));
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(entered("cd!"));
  ASSERT_TRUE(shows("Projekte"));
  ASSERT_TRUE(showsPrompt(projects));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_EQ(standardError(), "");
}

TEST_F(CommandLineTest, CheckReportsFileAndLineAndItsStatusSaysHowItWent) {
  writeMenu("-menue-", "Gut", {{"Eins", '1', {"true"}}});
  const Run sound = runToEnd({"--check"});
  EXPECT_EQ(sound.status, 0);
  EXPECT_EQ(sound.out,
            "-menue-: 1 Men\xC3\xBCpunkt, 1 Men\xC3\xBC im Verzeichnis, kein Fehler\r\n");

  // A numbered menu below, with a status 7 on line 4: found by -r only.
  fs::create_directory(work() / "unten");
  writeFile(work() / "unten" / "-menue02-",
            "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t7a\r\n\t\r\n");
  EXPECT_EQ(runToEnd({"--check", "."}).status, 0);
  const Run tree = runToEnd({"--check", "-r"});
  EXPECT_EQ(tree.status, 1);
  EXPECT_EQ(tree.out,
            "-menue-: 1 Men\xC3\xBCpunkt, 1 Men\xC3\xBC im Verzeichnis, kein Fehler\r\n"
            "unten/-menue02-:1: Warnung: kein -menue- im Verzeichnis: das Men\xC3\xBC benennt "
            "diese Datei in -menue- um, sobald es das Verzeichnis zeigt; sie selbst in -menue- "
            "umbenennen, wenn das gewollt ist\r\n"
            "unten/-menue02-:4:2: Fehler: Men\xC3\xBCpunkt 1: Status '7' statt 1, 2 oder 3: das "
            "Men\xC3\xBC startet seine Befehle nicht; gleich nach dem TAB 1, 2 oder 3 "
            "schreiben\r\n"
            "unten/-menue02-: 1 Men\xC3\xBCpunkt, 1 Men\xC3\xBC im Verzeichnis, 1 Fehler, 1 "
            "Warnung\r\n");
  EXPECT_EQ(tree.err, "");

  // A path that cannot be read wins over problems found elsewhere.
  const Run unreadable = runToEnd({"--check", "unten/-menue02-", "fehlt"});
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_NE(unreadable.out.find("unten/-menue02-:4:2: "), std::string::npos);
  EXPECT_EQ(unreadable.err, "menue: fehlt: nicht gefunden\n");
  // Nothing was changed, not even the MenuFile the menu would rename.
  EXPECT_TRUE(fs::exists(work() / "unten" / "-menue02-"));
  EXPECT_FALSE(fs::exists(work() / "unten" / "-menue-"));
}

// 5,000 levels, far past the longest path the system takes: walked by
// descriptors, the deep MenuFile is checked and shown by its path's tail.
TEST_F(CommandLineTest, ATreeOfAnyDepthIsCheckedToTheBottom) {
  constexpr int Levels = 5000;
  const fs::path top = work() / "tief";
  fs::create_directory(top);
  makeChain(top, Levels, "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t7a\r\n\t\r\n");
  const Run run = runToEnd({"--check", "-r", "tief"});
  removeChain(top, Levels);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "");
  const std::string named =
      "tief: keine Men\xC3\xBC"
      "datei\r\n";
  ASSERT_EQ(run.out.rfind(named + ".../d/d/", 0), 0u) << run.out.substr(0, 80);
  EXPECT_NE(run.out.find("/d/-menue-:4:2: Fehler: Men\xC3\xBCpunkt 1: Status '7' statt 1, 2 "
                         "oder 3"),
            std::string::npos);
  EXPECT_LE(run.out.find('\r', named.size()), named.size() + 4096 + 200);
}

// Names that would retitle or reset the terminal are shown escaped, on
// standard output and standard error alike.
TEST_F(CommandLineTest, NamesWithEscapeSequencesAreShownEscaped) {
  const std::string title = "\x1B]0;titel\a";
  fs::create_directory(work() / title);
  writeFile(work() / title / "-menue-", "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t7a\r\n\t\r\n");
  fs::create_directory(work() /
                       "\x1B"
                       "c");
  // runToEnd finds no ESC in what reached the terminal.
  const Run run = runToEnd({"--check", "-r", ".", "fehlt\x1B[2J\xC2\x9B"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(
      run.out,
      ".: keine Men\xC3\xBC"
      "datei\r\n"
      "./\\033]0;titel\\a/-menue-:4:2: Fehler: Men\xC3\xBCpunkt 1: Status '7' statt 1, 2 oder "
      "3: das Men\xC3\xBC startet seine Befehle nicht; gleich nach dem TAB 1, 2 oder 3 "
      "schreiben\r\n"
      "./\\033]0;titel\\a/-menue-: 1 Men\xC3\xBCpunkt, 1 Men\xC3\xBC im Verzeichnis, 1 "
      "Fehler\r\n");
  EXPECT_EQ(run.err, "menue: fehlt\\033[2J\\302\\233: nicht gefunden\n");
}

// A MenuFile of 3 GB (the menu, then a hole) is checked and shown from its
// start, at once and in little memory, where it was once read whole.
TEST_F(CommandLineTest, AHugeMenuFileIsCheckedAndShownFromItsStart) {
  writeMenu("-menue-", "Gut", {{"Eins", '1', {"true"}}});
  fs::resize_file(work() / "-menue-", std::uintmax_t{3} << 30);
  // The zero bytes after the end marker are found as such: a warning.
  const Run check = runToEnd({"--check"});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out.rfind("-menue-:7: Warnung: Text hinter der Endmarke", 0), 0u) << check.out;
  EXPECT_NE(
      check.out.find(
          "-menue-: 1 Men\xC3\xBCpunkt, 1 Men\xC3\xBC im Verzeichnis, kein Fehler, 1 Warnung"),
      std::string::npos);
  start();
  ASSERT_TRUE(shows(" Eins "));
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 39) == 0x71; }, "item 1 highlighted"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
