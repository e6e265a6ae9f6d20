// The checker's front end on the virtual file system: who may have changed a
// MenuFile is reported at its first line and counts as a problem; only
// errors make status 1; every name printed is made visible, on standard
// output and standard error, and a path too long is shown by its tail.
#include "modes/menu_check_command.h"

#include <gtest/gtest.h>

#include "platform/virtual/virtual_platform.h"
#include "tests/support/collected_stream.h"

namespace menue {
namespace {

constexpr std::string_view OneItem = "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n";
const std::string Refused =
    ": das Men\xFC zeigt sie, startet ihre Befehle aber nicht und \xE4ndert sie nicht";

struct TrustCase {
  FileTrust trust;
  std::string out;
  int status = 0;
};

TEST(MenuCheckCommandTest, FilesOthersMayHaveChangedAreProblems) {
  const std::vector<TrustCase> cases = {
      {FileTrust::Trusted, "-menue-: 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, kein Fehler\n", 0},
      {FileTrust::OtherOwner,
       "-menue-:1: Fehler: geh\xF6rt einem anderen Benutzer" + Refused +
           " (freigeben: menue --allow)\n-menue-: 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, 1 "
           "Fehler\n",
       1},
      {FileTrust::GroupMayWrite,
       "-menue-:1: Fehler: f\xFCr andere beschreibbar (Gruppe mit weiteren Mitgliedern oder "
       "Zugriffsliste)" +
           Refused +
           " (abhelfen: chmod g-w oder menue --allow)\n-menue-: 1 Men\xFCpunkt, 1 Men\xFC im "
           "Verzeichnis, 1 Fehler\n",
       1},
      {FileTrust::GroupUnlisted,
       "-menue-:1: Fehler: f\xFCr andere beschreibbar (Gruppe nicht pr\xFC"
       "fbar: die Gruppendatenbank nennt nicht alle Eintr\xE4ge, nsswitch.conf)" +
           Refused +
           " (abhelfen: chmod g-w oder menue --allow)\n-menue-: 1 Men\xFCpunkt, 1 Men\xFC im "
           "Verzeichnis, 1 Fehler\n",
       1},
      {FileTrust::OthersMayWrite,
       "-menue-:1: Fehler: f\xFCr andere beschreibbar (f\xFCr alle)" + Refused +
           " (abhelfen: chmod o-w)\n-menue-: 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, 1 Fehler\n",
       1},
  };
  for (const TrustCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.trust));
    VirtualPlatform machine;
    machine.files.putFile("-menue-", std::string(OneItem));
    machine.files.setTrust("-menue-", c.trust);
    CollectedStream out;
    CollectedStream err;
    EXPECT_EQ(exitCode(runMenuCheck(machine.files, machine.platform().rules, {}, false, out, err)),
              c.status);
    EXPECT_EQ(out.text, c.out);
    EXPECT_EQ(err.text, "");
  }
}

// A tree whose names hold escape sequences (the terminal's title, its
// reset, a C1 CSI in UTF-8), one of them a file named as an argument.
TEST(MenuCheckCommandTest, NamesAreShownEscapedEverywhere) {
  VirtualPlatform machine;
  machine.files.makeDirectory("C:\\t\\\x1B]0;titel\a");
  machine.files.putFile("C:\\t\\\x1B]0;titel\a\\-menue-", std::string(OneItem));
  machine.files.makeDirectory(
      "C:\\t\\\x1B"
      "c");
  machine.files.putFile(
      "C:\\t\\\x1B"
      "c\\-menue1-",
      std::string(OneItem));
  CollectedStream out;
  CollectedStream err;
  EXPECT_EQ(runMenuCheck(machine.files, machine.platform().rules,
                         {"C:\\t",
                          "C:\\t\\\xC2\x9B"
                          "2J"},
                         true, out, err),
            ExitStatus::Unusable);
  // The subdirectories in the order of the names ("c" before "]").
  EXPECT_EQ(out.text,
            "C:\\t: keine Men\xFC"
            "datei\n"
            "C:\\t\\\\033c\\-menue1-:1: Warnung: Name au\xDF"
            "erhalb der Reihe -menue02- bis -menue99-: das Men\xFC zeigt diese Datei nie; in "
            "eine freie Nummer umbenennen, etwa -menue02-\n"
            "C:\\t\\\\033c\\-menue1-: 1 Men\xFCpunkt, kein Fehler, 1 Warnung\n"
            "C:\\t\\\\033]0;titel\\a\\-menue-: 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, kein "
            "Fehler\n");
  EXPECT_EQ(err.text, "menue: C:\\t\\\\302\\2332J: nicht gefunden\n");
}

// A directory the walk cannot enter is named on standard error, escaped,
// and the walk goes on with the next one.
TEST(MenuCheckCommandTest, AnUnreadableDirectoryIsNamedEscaped) {
  VirtualPlatform machine;
  machine.files.makeDirectory("C:\\t\\\x1B[31mrot");
  machine.files.makeDirectory("C:\\t\\weiter");
  machine.files.putFile("C:\\t\\weiter\\-menue-", std::string(OneItem));
  // The cursor is opened, then entering the first directory is refused.
  machine.files.failNext(FileOp::ChangeDirectory, code::AccessDenied, 1);
  CollectedStream out;
  CollectedStream err;
  EXPECT_EQ(runMenuCheck(machine.files, machine.platform().rules, {"C:\\t"}, true, out, err),
            ExitStatus::Unusable);
  EXPECT_EQ(err.text, "menue: C:\\t\\\\033[31mrot: kein Zugriff\n");
  EXPECT_NE(out.text.find("C:\\t\\weiter\\-menue-: 1 Men\xFCpunkt"), std::string::npos);
}

// Deeper than any path may be: the walk goes on, and the deep MenuFile is
// shown as ".../" and the tail of its path.
TEST(MenuCheckCommandTest, ADeepMenuFileIsShownByItsTail) {
  VirtualPlatform machine;
  const std::string name(200, 'v');
  std::string path = "C:\\t";
  for (int level = 0; level < 25; ++level) path += "\\" + name;
  machine.files.makeDirectory(path);
  machine.files.putFile(path + "\\-menue-", std::string(OneItem));
  CollectedStream out;
  CollectedStream err;
  EXPECT_EQ(runMenuCheck(machine.files, machine.platform().rules, {"C:\\t"}, true, out, err),
            ExitStatus::Done);
  const std::string summary = ": 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, kein Fehler\n";
  ASSERT_TRUE(out.text.ends_with(summary)) << out.text;
  const std::string shown = out.text.substr(out.text.find('\n') + 1);
  EXPECT_TRUE(shown.starts_with("...\\" + name + "\\")) << shown.substr(0, 40);
  EXPECT_TRUE(shown.ends_with("\\" + name + "\\-menue-" + summary));
  EXPECT_LE(shown.size(), 4096 + summary.size());
  EXPECT_EQ(err.text, "");
}

}  // namespace
}  // namespace menue
