// End to end, POSIX, as root making accounts for the test's time: the
// group rule as the kernel sees groups (a second entry of a user's private
// gid lets its members in), and menus in a team's directory.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

int run(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str());
}

// An account made for the test, removed after it with the groups in `groups`.
struct ScratchAccount {
  std::string name;
  bool made = false;
  std::vector<std::string> groups;
  explicit ScratchAccount(std::string account) : name(std::move(account)) {
    made = getpwnam(name.c_str()) == nullptr &&
           run("useradd --user-group --no-create-home --shell /usr/sbin/nologin " + name) == 0;
  }
  ~ScratchAccount() {
    // The account first: a group of its primary gid cannot go before it.
    if (made) run("userdel " + name);
    for (const std::string& group : groups) run("groupdel " + group);
  }
  uid_t uid() const { return getpwnam(name.c_str())->pw_uid; }
  gid_t gid() const { return getpwnam(name.c_str())->pw_gid; }
};

class TeamGroupTest : public E2eTest {
 protected:
  // setpriv as `account`, with every group the database gives it, and a
  // shell line run there ("$0" is the program).
  std::vector<std::string> as(const ScratchAccount& account, const std::string& line) {
    return {"/usr/bin/setpriv",
            "--reuid=" + std::to_string(account.uid()),
            "--regid=" + std::to_string(account.gid()),
            "--init-groups",
            "/bin/sh",
            "-c",
            line};
  }
  bool reachableFor(const ScratchAccount& account) {
    useCopyOfProgram();
    std::string test;
    for (const std::string& word : as(account, "test -x \"$0\" -a -w '" + work().string() + "'")) {
      test += "'" + word + "' ";
    }
    return access("/usr/bin/setpriv", X_OK) == 0 && run(test + "'" + program().string() + "'") == 0;
  }
  void handOver(const ScratchAccount& account, mode_t mode) {
    ASSERT_EQ(chmod(work().parent_path().c_str(), 0755), 0);
    for (const fs::path& directory : {work(), temp()}) {
      ASSERT_EQ(chown(directory.c_str(), account.uid(), account.gid()), 0);
      ASSERT_EQ(chmod(directory.c_str(), mode), 0);
    }
  }
  std::string checkAs(const ScratchAccount& account) {
    PtySession& checker = startThrough(as(account, "exec \"$0\" --check"));
    EXPECT_TRUE(checker.waitForExit(within(Patience)).has_value());
    return checker.output();
  }
};

TEST_F(TeamGroupTest, ASecondEntryOfTheUsersPrivateGidLetsItsMembersIn) {
  if (geteuid() != 0) GTEST_SKIP() << "making accounts and groups needs root";
  ScratchAccount user("menue-e2e-own");
  ScratchAccount other("menue-e2e-oth");
  if (!user.made || !other.made) GTEST_SKIP() << "useradd cannot make the test's accounts";
  writeMenu("-menue-", "Kopf", {{"Eins", '1', {"true"}}});
  ASSERT_EQ(chown((work() / "-menue-").c_str(), user.uid(), user.gid()), 0);
  ASSERT_EQ(chmod((work() / "-menue-").c_str(), 0664), 0);
  handOver(user, 0755);
  if (!reachableFor(user)) GTEST_SKIP() << "the program cannot run as " << user.name;
  EXPECT_EQ(checkAs(user).find("beschreibbar"), std::string::npos);

  // A second entry of the gid naming the other account: getgrgid finds the
  // first, but the kernel gives the other account's processes the gid.
  user.groups.push_back("menue-e2e-dup");
  ASSERT_EQ(run("groupadd -o -g " + std::to_string(user.gid()) + " menue-e2e-dup"), 0);
  ASSERT_EQ(run("gpasswd -a " + other.name + " menue-e2e-dup"), 0);
  EXPECT_NE(checkAs(user).find("-menue-:1: Fehler: für andere beschreibbar (Gruppe mit weiteren "
                               "Mitgliedern oder Zugriffsliste)"),
            std::string::npos);
}

// A state directory another user made first where all may write is refused,
// saying why.
TEST_F(TeamGroupTest, AStateDirectoryAnotherUserMadeIsRefused) {
  if (geteuid() != 0) GTEST_SKIP() << "a directory of another user needs root to make";
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) GTEST_SKIP() << "no user nobody";
  writeMenu("-menue-", "Kopf", {{"Eins", '1', {"true"}}});
  const fs::path shared = temp() / "geteilt";
  fs::create_directories(shared / "menue");
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  ASSERT_EQ(chown((shared / "menue").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  addEnvironment("XDG_STATE_HOME=" + shared.string());
  for (const char* mode : {"--history", "--undo"}) {
    EXPECT_EQ(statusOf({mode}), 2) << mode;
    EXPECT_NE(standardError().find(shared.string() + "/menue: nicht benutzt: geh"),
              std::string::npos)
        << mode << ": " << standardError();
  }
}

// A team's directory, setgid to a group of two, umask 002: the menu Menü++
// makes there gets no group write (it would be refused), keeps the group, runs.
TEST_F(TeamGroupTest, AMenuMadeInATeamsDirectoryRuns) {
  if (geteuid() != 0) GTEST_SKIP() << "making accounts and groups needs root";
  ScratchAccount user("menue-e2e-tea");
  ScratchAccount colleague("menue-e2e-col");
  if (!user.made || !colleague.made) GTEST_SKIP() << "useradd cannot make the test's accounts";
  user.groups.push_back("menue-e2e-team");
  ASSERT_EQ(run("groupadd menue-e2e-team"), 0);
  ASSERT_EQ(run("gpasswd -a " + user.name + " menue-e2e-team"), 0);
  ASSERT_EQ(run("gpasswd -a " + colleague.name + " menue-e2e-team"), 0);
  const gid_t team = getgrnam("menue-e2e-team")->gr_gid;
  handOver(user, 0755);
  ASSERT_EQ(chown(work().c_str(), user.uid(), team), 0);
  ASSERT_EQ(chmod(work().c_str(), 02775), 0);
  if (!reachableFor(user)) GTEST_SKIP() << "the program cannot run as " << user.name;
  startThrough(as(user, "umask 002; exec \"$0\""));
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(entered("Menü++"));
  ASSERT_TRUE(answered(" Kopfzeile (max.76 zeichen)>", "Team"));
  ASSERT_TRUE(answered(" Anzeigetext (max 72 Zeichen)>", "Lauf"));
  ASSERT_TRUE(eventually([&] { return session().screenContains(" Eingabe >_"); }, "the status"));
  session().sendBytes("1");
  ASSERT_TRUE(answered(" Befehlszeile (beenden mit <Enter>):", "touch lief"));
  ASSERT_TRUE(answered(" Befehlszeile (beenden mit <Enter>):", ""));
  ASSERT_TRUE(eventually(
      [&] { return session().findRow(" Lauf ") > 0 && session().cursor().row == PromptRow; },
      "the new menu and the prompt"));
  struct stat info {};
  ASSERT_EQ(stat((work() / "-menue-").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
  EXPECT_EQ(info.st_gid, team);
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually(
      [&] {
        const int row = session().findRow(" Lauf ");
        return row > 0 && session().attribute(row, 39) == 0x71;
      },
      "the item highlighted"));
  session().pressKey(Key::Enter);
  EXPECT_TRUE(eventually([&] { return fs::exists(work() / "lief"); }, "lief made"));
  EXPECT_TRUE(endsWithEsc());
}

// A colleague's menu, allowed, runs for exactly those bytes until changed.
TEST_F(TeamGroupTest, AnAllowedMenuOfAColleagueRunsUntilTheColleagueChangesIt) {
  if (geteuid() != 0) GTEST_SKIP() << "a file of another user needs root to make";
  const passwd* colleague = getpwnam("nobody");
  if (colleague == nullptr) GTEST_SKIP() << "no user nobody";
  writeMenu("-menue-", "Team", {{"Bauen", '1', {"touch gebaut"}}});
  const fs::path menu = work() / "-menue-";
  ASSERT_EQ(chown(menu.c_str(), colleague->pw_uid, colleague->pw_gid), 0);
  EXPECT_NE(statusOf({"--run", "1"}), 0);
  EXPECT_NE(standardError().find("freigeben: menue --allow"), std::string::npos);

  PtySession& allow = startWithArguments({"--allow"});
  ASSERT_TRUE(eventually([&] { return allow.output().find("(j/n)") != std::string::npos; },
                         "the question"));
  EXPECT_NE(allow.output().find("touch gebaut"), std::string::npos);
  allow.sendBytes("j\r");
  EXPECT_EQ(allow.waitForExit(within(Patience)), 0);
  EXPECT_EQ(statusOf({"--list"}), 0);
  EXPECT_NE(session().output().find("(freigegeben)"), std::string::npos) << session().output();
  // The checker says so in place of its refusal, also given the path.
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--check"}, {"--check", menu.string()}}) {
    EXPECT_EQ(statusOf(arguments), 0) << session().output();
    EXPECT_NE(session().output().find("Hinweis: freigegeben"), std::string::npos);
  }
  EXPECT_EQ(statusOf({"--run", "1"}), 0);
  EXPECT_TRUE(fs::exists(work() / "gebaut"));

  // The colleague changes one byte: foreign again.
  fs::remove(work() / "gebaut");
  std::string text = readFile(menu).value_or("");
  const auto colleagueWrites = [&](const char* from, const char* to) {
    text.replace(text.find(from), 6, to);
    writeFile(menu, text);
    return chown(menu.c_str(), colleague->pw_uid, colleague->pw_gid);
  };
  ASSERT_EQ(colleagueWrites("gebaut", "geBaut"), 0);
  EXPECT_NE(statusOf({"--run", "1"}), 0);
  EXPECT_FALSE(fs::exists(work() / "geBaut"));
  EXPECT_EQ(statusOf({"--check"}), 1);
  EXPECT_NE(session().output().find("freigeben: menue --allow"), std::string::npos);

  // Forgotten: the old bytes back are allowed no more.
  EXPECT_EQ(statusOf({"--deny"}), 0);
  EXPECT_NE(session().output().find("Freigabe aufgehoben"), std::string::npos);
  ASSERT_EQ(colleagueWrites("geBaut", "gebaut"), 0);
  EXPECT_NE(statusOf({"--run", "1"}), 0);
  EXPECT_FALSE(fs::exists(work() / "gebaut"));
}

// What no one may be allowed: a file everyone may write.
TEST_F(TeamGroupTest, AWorldWritableMenuIsNeverAllowed) {
  writeMenu("-menue-", "Team", {{"Bauen", '1', {"touch gebaut"}}});
  ASSERT_EQ(chmod((work() / "-menue-").c_str(), 0666), 0);
  EXPECT_EQ(statusOf({"--allow"}), 1);
  EXPECT_NE(standardError().find("für alle beschreibbar: nicht freigegeben"), std::string::npos);
}

}  // namespace
}  // namespace menue::e2e
