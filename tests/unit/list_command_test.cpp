// menue --list on the virtual file system: a table of menus, sound,
// foreign, damaged, numbered and missing, with what each prints and its
// exit status; nothing is ever renamed.
#include "modes/list_command.h"

#include <gtest/gtest.h>

#include "platform/virtual/virtual_platform.h"
#include "tests/support/collected_stream.h"

namespace menue {
namespace {

constexpr std::string_view Sound =
    "Kopfzeile=Werkzeuge\r\n(Menuanzeige)\r\nEditor\r\nBauen\r\nHoch\r\nLeer\r\nKaputt\r\n"
    "(Menuausfuhrung)\r\n\t1vi a.txt\r\n\t2make\r\nmake install\r\n\t1cd ..\r\n\t1'\r\n"
    "\t7x\r\n\t\r\n";
constexpr std::string_view SoundListed =
    "-menue-: Werkzeuge\n"
    " 1  Editor  (wartet)\n      vi a.txt\n"
    " 2  Bauen  (daneben, \xFC"
    "ber menue.cmd)\n      make\n      make install\n"
    " 3  Hoch  (wechselt das Verzeichnis)\n      cd ..\n"
    " 4  Leer  (f\xFChrt nichts aus)\n      '\n"
    " 5  Kaputt  (Status 7 ung\xFCltig: f\xFChrt nichts aus)\n      x\n";
constexpr std::string_view Second =
    "(Menuanzeige)\r\nZwei\r\n(Menuausfuhrung)\r\n\t3exit\r\n\t\r\n";

struct ListCase {
  std::string name;
  std::vector<std::pair<std::string, std::string>> files;
  std::string path;
  bool all = false;
  FileTrust trust = FileTrust::Trusted;
  std::string out;
  std::string err;
  int status = 0;
};

TEST(ListCommandTest, ATableOfMenus) {
  const std::vector<ListCase> cases = {
      {"sound",
       {{"-menue-", std::string(Sound)}},
       "",
       false,
       FileTrust::Trusted,
       std::string(SoundListed),
       "",
       0},
      {"foreign",
       {{"-menue-", std::string(Second)}},
       "",
       false,
       FileTrust::OtherOwner,
       "-menue-\n  (Men\xFC"
       "datei geh\xF6rt einem anderen Benutzer: nichts wird ausgef\xFChrt; freigeben: menue "
       "--allow)\n"
       " 1  Zwei  (beendet, nicht ausf\xFChrbar)\n      exit\n",
       "",
       0},
      {"damaged",
       {{"-menue-", "Kopfzeile=x\r\nEins\r\n"}},
       "",
       false,
       FileTrust::Trusted,
       "",
       "menue: -menue-:1: Fehler: (Menuanzeige) fehlt: das Men\xFC zeigt \"Dateifehler\" statt "
       "der Men\xFCpunkte; vor die erste Anzeigezeile eine Zeile (Menuanzeige) einf\xFCgen\n",
       1},
      // Only the numbered one: the one the menu would take, not renamed.
      {"numbered only",
       {{"-menue03-", std::string(Second)}},
       "",
       false,
       FileTrust::Trusted,
       "-menue03-\n 1  Zwei  (beendet)\n      exit\n",
       "",
       0},
      {"all",
       {{"-menue-", std::string(Second)}, {"-menue02-", std::string(Second)}},
       "C:\\m",
       true,
       FileTrust::Trusted,
       "C:\\m\\-menue-\n 1  Zwei  (beendet)\n      exit\n\n"
       "C:\\m\\-menue02-\n 1  Zwei  (beendet)\n      exit\n",
       "",
       0},
      {"a file by its path",
       {{"-menue02-", std::string(Second)}},
       "C:\\m\\-menue02-",
       false,
       FileTrust::Trusted,
       "C:\\m\\-menue02-\n 1  Zwei  (beendet)\n      exit\n",
       "",
       0},
      {"no menu",
       {},
       "",
       false,
       FileTrust::Trusted,
       "",
       "menue: .: keine Men\xFC"
       "datei\n",
       1},
      {"missing path",
       {},
       "C:\\fehlt\\-menue-",
       false,
       FileTrust::Trusted,
       "",
       "menue: C:\\fehlt\\-menue-: nicht gefunden\n",
       2},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualPlatform machine;
    machine.files.makeDirectory("C:\\m");
    machine.files.changeDirectory("C:\\m");
    for (const auto& [name, text] : c.files) {
      machine.files.putFile(name, text);
      machine.files.setTrust(name, c.trust);
    }
    const auto before = machine.files.allFiles();
    CollectedStream out;
    CollectedStream err;
    EXPECT_EQ(
        exitCode(runMenuList(machine.files, machine.platform().rules, c.path, c.all, out, err)),
        c.status);
    EXPECT_EQ(out.text, c.out);
    EXPECT_EQ(err.text, c.err);
    EXPECT_EQ(machine.files.allFiles(), before);
  }
}

// A display text or command line that would send the terminal a command
// (ESC, CSI as UTF-8) is printed with those bytes as \xNN.
TEST(ListCommandTest, ControlCharactersAreShownNotSent) {
  VirtualPlatform machine;
  machine.files.putFile("-menue-",
                        "(Menuanzeige)\r\nRot\x1B[31m\r\n(Menuausfuhrung)\r\n\t1a\xC2\x9B"
                        "2J\r\n\t\r\n");
  CollectedStream out;
  CollectedStream err;
  EXPECT_EQ(runMenuList(machine.files, machine.platform().rules, "", false, out, err),
            ExitStatus::Done);
  EXPECT_EQ(out.text, "-menue-\n 1  Rot\\x1B[31m  (wartet)\n      a\\x9B2J\n");
}

// Only the items --run runs: no directory change, placeholder, bad status,
// and none of a menu --run refuses as a whole.
TEST(ListCommandTest, ItemsForCompletion) {
  const struct {
    FileTrust trust;
    std::string listed;
  } cases[] = {
      {FileTrust::Trusted, "1\tEditor\n2\tBauen\n"},
      {FileTrust::OthersMayWrite, ""},
  };
  for (const auto& c : cases) {
    VirtualPlatform machine;
    machine.files.putFile("-menue-", std::string(Sound));
    machine.files.setTrust("-menue-", c.trust);
    CollectedStream out;
    EXPECT_EQ(runItemList(machine.files, machine.platform().rules, "", out), ExitStatus::Done);
    EXPECT_EQ(out.text, c.listed);
  }
}

}  // namespace
}  // namespace menue
