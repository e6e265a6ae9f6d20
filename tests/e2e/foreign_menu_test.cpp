// End to end, POSIX: MenuFiles that others may have changed. One a group
// with another member may write, or one of another user, is shown, but its
// items do not run and the edits leave it as it is; --check says so.
// Root's MenuFiles are trusted by every user, another's by none: run as the
// user nobody through setpriv. A user's own group-writable menus under a
// group of the user's own (umask 002) run and are edited as any other.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

const std::string NotRun = "nicht ausgeführt.";
const std::string Writable = " Menüdatei für andere beschreibbar: ";
const std::string Foreign = " Menüdatei gehört einem anderen Benutzer: ";
const std::string Refused =
    ": das Menü zeigt sie, startet ihre Befehle aber nicht und ändert sie nicht";

class ForeignMenuTest : public E2eTest {
 protected:
  // Highlights the menu's one item, `text`, and presses Enter. Each key
  // waits for the prompt: keys typed ahead are discarded.
  ::testing::AssertionResult chose(std::string_view text) {
    auto result = eventually(
        [&] { return session().findRow(text) > 0 && session().cursor().row == PromptRow; },
        "the item \"" + std::string(text) + "\" and the prompt");
    if (!result) return result;
    session().pressKey(Key::Down);
    result = eventually(
        [&] {
          const int row = session().findRow(text);
          for (int column = 1; row > 0 && column <= 80; ++column) {
            if (session().cells(row, column, static_cast<int>(text.size())) == text) {
              return session().attribute(row, column + 1) == 0x71;
            }
          }
          return false;
        },
        "the item \"" + std::string(text) + "\" highlighted");
    if (result) session().pressKey(Key::Enter);
    return result;
  }

  // The refusal shows, and after its pause the prompt waits again.
  ::testing::AssertionResult refused(const std::string& message) {
    auto result = shows(message);
    if (!result) return result;
    return eventually([&] { return session().cursor().row == PromptRow; },
                      "the prompt after \"" + message + "\"");
  }

  // Pages to the next menu, which shows `text`.
  ::testing::AssertionResult paged(std::string_view text) {
    session().sendBytes(" ");
    return shows(text);
  }

  std::string check() {
    PtySession& checker = startWithArguments({"--check"});
    EXPECT_EQ(checker.waitForExit(within(Patience)), 1);
    return checker.output();
  }
};

TEST_F(ForeignMenuTest, AMenuItsGroupMayWriteIsShownButRunsAndChangesNothing) {
  if (geteuid() != 0) GTEST_SKIP() << "a file in a group of another user needs root to make";
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "no user nobody";
  writeMenu("-menue-", "Kopf", {{"Offen", '1', {"touch offen-lief"}}});
  // Root's file in nobody's group: someone besides the owner may write it.
  ASSERT_EQ(chown((work() / "-menue-").c_str(), 0, nobody->pw_gid), 0);
  ASSERT_EQ(chmod((work() / "-menue-").c_str(), 0664), 0);
  const std::optional<std::string> before = readFile(work() / "-menue-");
  EXPECT_NE(check().find("-menue-:1: Fehler: für andere beschreibbar (Gruppe mit weiteren "
                         "Mitgliedern oder Zugriffsliste)" +
                         Refused + " (abhelfen: chmod g-w oder menue --allow)\r\n"),
            std::string::npos);

  start();
  ASSERT_TRUE(chose(" Offen "));
  ASSERT_TRUE(refused(Writable + NotRun));
  ASSERT_TRUE(entered("Menü-1"));
  ASSERT_TRUE(refused(Writable + "nicht geändert."));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_FALSE(fs::exists(work() / "offen-lief"));
  EXPECT_EQ(readFile(work() / "-menue-"), before);
}

TEST_F(ForeignMenuTest, AnotherUsersMenuRunsForNoOneElseButRootsForEveryone) {
  if (geteuid() != 0) GTEST_SKIP() << "files of other owners need root to make";
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "no user nobody";
  const uid_t user = nobody->pw_uid;
  const gid_t group = nobody->pw_gid;
  writeMenu("-menue-", "Kopf", {{"Fremd", '1', {"touch fremd-lief"}}});
  ASSERT_EQ(chown((work() / "-menue-").c_str(), user, group), 0);
  EXPECT_NE(check().find("-menue-:1: Fehler: gehört einem anderen Benutzer" + Refused +
                         " (freigeben: menue --allow)\r\n"),
            std::string::npos);
  start();
  ASSERT_TRUE(chose(" Fremd "));
  ASSERT_TRUE(refused(Foreign + NotRun));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_FALSE(fs::exists(work() / "fremd-lief"));

  // As nobody: root's file runs, one of a third user does not. (That a
  // user's own file runs is what every other test shows.)
  const std::string setpriv = "/usr/bin/setpriv";
  const std::vector<std::string> asNobody = {setpriv, "--reuid=" + std::to_string(user),
                                             "--regid=" + std::to_string(group), "--clear-groups"};
  ASSERT_EQ(chmod(work().parent_path().c_str(), 0755), 0);
  for (const fs::path& directory : {work(), temp()}) {
    ASSERT_EQ(chown(directory.c_str(), user, group), 0);
  }
  std::string reachable;
  for (const std::string& word : asNobody) reachable += word + " ";
  reachable += "test -x '" + std::string(MENUE_BINARY) + "' -a -w '" + work().string() + "'";
  if (access(setpriv.c_str(), X_OK) != 0 || std::system(reachable.c_str()) != 0) {
    GTEST_SKIP() << "the program cannot run as nobody here: no setpriv, or nobody cannot reach "
                 << MENUE_BINARY << " or the scratch directory";
  }
  writeMenu("-menue-", "Kopf", {{"Dritter", '1', {"touch dritter-lief"}}});
  ASSERT_EQ(chown((work() / "-menue-").c_str(), 1, 1), 0);
  writeMenu("-menue02-", "Kopf", {{"System", '1', {"touch system-lief"}}});
  startThrough(asNobody);
  ASSERT_TRUE(chose(" Dritter "));
  ASSERT_TRUE(refused(Foreign + NotRun));
  ASSERT_TRUE(paged(" System "));
  ASSERT_TRUE(chose(" System "));
  ASSERT_TRUE(eventually([&] { return fs::exists(work() / "system-lief"); }, "system-lief made"));
  EXPECT_TRUE(endsWithEsc());
  EXPECT_FALSE(fs::exists(work() / "dritter-lief"));
}

// A user of Debian's kind: a group of the user's own, umask 002, so every
// file the user writes is group-writable. The user's menus run, an edit
// works and keeps the file's mode and group, and a new menu made under
// that umask runs too.
TEST_F(ForeignMenuTest, AUsersOwnMenusUnderAGroupOfTheirOwnAndUmask002Run) {
  if (geteuid() != 0) GTEST_SKIP() << "making a user with a group of its own needs root";
  const std::string name = "menue-e2e-upg";
  const bool made = getpwnam(name.c_str()) == nullptr;
  if (made && std::system(("useradd --user-group --no-create-home --shell /usr/sbin/nologin " +
                           name + " 2>/dev/null")
                              .c_str()) != 0) {
    GTEST_SKIP() << "useradd cannot make the user " << name;
  }
  struct Remove {
    bool made;
    std::string name;
    ~Remove() {
      if (made) std::system(("userdel " + name + " 2>/dev/null").c_str());
    }
  } remove{made, name};
  const passwd* user = getpwnam(name.c_str());
  ASSERT_NE(user, nullptr);
  const uid_t uid = user->pw_uid;
  const gid_t gid = user->pw_gid;
  writeMenu("-menue-", "Kopf", {{"Eins", '1', {"true"}}, {"Zwei", '1', {"touch zwei-lief"}}});
  ASSERT_EQ(chown((work() / "-menue-").c_str(), uid, gid), 0);
  ASSERT_EQ(chmod((work() / "-menue-").c_str(), 0664), 0);
  ASSERT_EQ(chmod(work().parent_path().c_str(), 0755), 0);
  for (const fs::path& directory : {work(), temp()}) {
    ASSERT_EQ(chown(directory.c_str(), uid, gid), 0);
    ASSERT_EQ(chmod(directory.c_str(), 0775), 0);
  }
  const std::string setpriv = "/usr/bin/setpriv";
  const std::vector<std::string> asUser = {setpriv,
                                           "--reuid=" + std::to_string(uid),
                                           "--regid=" + std::to_string(gid),
                                           "--init-groups",
                                           "/bin/sh",
                                           "-c",
                                           "umask 002; exec \"$0\""};
  std::string reachable = setpriv + " --reuid=" + std::to_string(uid) +
                          " --regid=" + std::to_string(gid) + " --init-groups test -x '" +
                          std::string(MENUE_BINARY) + "' -a -w '" + work().string() + "'";
  if (access(setpriv.c_str(), X_OK) != 0 || std::system(reachable.c_str()) != 0) {
    GTEST_SKIP() << "the program cannot run as " << name << " here";
  }
  startThrough(asUser);
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(entered("Menü*1+2"));
  ASSERT_TRUE(eventually(
      [&] {
        const std::optional<std::string> text = readFile(work() / "-menue-");
        return text && text->find("Zwei\r\nEins") != std::string::npos;
      },
      "the items swapped"));
  struct stat info {};
  ASSERT_EQ(stat((work() / "-menue-").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0664u);
  EXPECT_EQ(info.st_uid, uid);
  EXPECT_EQ(info.st_gid, gid);
  // The item, now the first, runs from the edited file.
  ASSERT_TRUE(chose(" Zwei "));
  ASSERT_TRUE(eventually([&] { return fs::exists(work() / "zwei-lief"); }, "zwei-lief made"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
