// menue --run on the virtual platform: what starts for each kind of item,
// the exit status it gives, and the refusals with their one line.
#include "modes/run_command.h"

#include <gtest/gtest.h>

#include "platform/virtual/virtual_platform.h"
#include "tests/support/collected_stream.h"

namespace menue {
namespace {

constexpr std::string_view Menu =
    "(Menuanzeige)\r\nEins\r\nZwei\r\nHoch\r\nLeer\r\nSieben\r\n(Menuausfuhrung)\r\n"
    "\t2prog -x\r\n\t1echo a\r\necho b\r\n\t1cd ..\r\n\t1'\r\n\t7x\r\n\t\r\n";

struct RunCase {
  std::string name;
  int number = 1;
  int exitStatus = 0;    // what the started program ends with
  bool missing = false;  // its program cannot be started
  FileTrust trust = FileTrust::Trusted;
  std::string menu = std::string(Menu);
  int status = 0;
  std::string started;  // the command line or script started, empty for none
  std::string err;
};

TEST(RunCommandTest, EachKindOfItem) {
  const std::string script = "C:\\tmp\\menue.cmd";
  const std::vector<RunCase> cases = {
      // Status 2 in the menu runs beside it; from the shell it is waited for.
      {"direct", 1, 3, false, FileTrust::Trusted, std::string(Menu), 3, "prog -x", ""},
      {"through the LaunchScript", 2, 5, false, FileTrust::Trusted, std::string(Menu), 5, script,
       ""},
      {"not started", 1, 0, true, FileTrust::Trusted, std::string(Menu), 127, "",
       "menue: -menue-: prog -x: nicht gestartet: nicht gefunden\n"},
      {"directory change", 3, 0, false, FileTrust::Trusted, std::string(Menu), 2, "",
       "menue: -menue-: wechselt das Verzeichnis: nur im Men\xFC m\xF6glich\n"},
      {"placeholder", 4, 0, false, FileTrust::Trusted, std::string(Menu), 0, "", ""},
      {"bad status", 5, 0, false, FileTrust::Trusted, std::string(Menu), 2, "",
       "menue: -menue-: Status 7 ung\xFCltig: nicht ausgef\xFChrt\n"},
      {"out of range", 6, 0, false, FileTrust::Trusted, std::string(Menu), 2, "",
       "menue: -menue-: kein Men\xFCpunkt 6 (5 Men\xFCpunkte)\n"},
      {"out of range of one item", 2, 0, false, FileTrust::Trusted,
       "(Menuanzeige)\r\nEins\r\n(Menuausfuhrung)\r\n\t1prog -x\r\n\t\r\n", 2, "",
       "menue: -menue-: kein Men\xFCpunkt 2 (1 Men\xFCpunkt)\n"},
      {"foreign", 1, 0, false, FileTrust::OthersMayWrite, std::string(Menu), 2, "",
       "menue: -menue-: Men\xFC"
       "datei f\xFCr andere beschreibbar: nicht ausgef\xFChrt (freigeben: menue --allow)\n"},
      {"does not load", 1, 0, false, FileTrust::Trusted, "Eins\r\n", 2, "",
       "menue: -menue-:1: Fehler: (Menuanzeige) fehlt: das Men\xFC zeigt \"Dateifehler\" statt "
       "der Men\xFCpunkte; vor die erste Anzeigezeile eine Zeile (Menuanzeige) einf\xFCgen\n"},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualPlatform machine;
    machine.files.makeDirectory("C:\\tmp");
    machine.environment.values = {"TMP=C:\\tmp"};
    machine.files.putFile("-menue-", c.menu);
    machine.files.setTrust("-menue-", c.trust);
    machine.processes.exitStatus = c.exitStatus;
    if (c.missing) machine.processes.missing.insert("prog -x");
    Platform& platform = machine.platform();
    CommandServices::Services services{platform.files, platform.processes, platform.environment,
                                       platform.clock, platform.rules};
    CollectedStream err;
    EXPECT_EQ(exitCode(runItemCommand(services, c.number, "", err)), c.status);
    EXPECT_EQ(err.text, c.err);
    ASSERT_EQ(machine.processes.started.size(), c.started.empty() ? 0u : 1u);
    if (c.started.empty()) continue;
    const StartedProcess& started = machine.processes.started.front();
    EXPECT_EQ(started.commandLine, c.started);
    EXPECT_TRUE(started.wait);
    if (started.script) {
      EXPECT_EQ(started.launchScript, "@Echo off\r\necho a\r\necho b\r\n");
      // Removed again: the menu's own run deletes it at its exit.
      EXPECT_FALSE(machine.files.file(script));
    }
  }
}

}  // namespace
}  // namespace menue
