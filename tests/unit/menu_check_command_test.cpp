// The checker's front end on the virtual file system: who may have changed a
// MenuFile is reported at its first line and counts as a problem.
#include "session/menu_check_command.h"

#include <gtest/gtest.h>

#include "platform/virtual/virtual_platform.h"
#include "tests/support/collected_stream.h"

namespace menue {
namespace {

constexpr std::string_view OneItem = "(Menuanzeige)\r\nA\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n";
const std::string Refused =
    ": das Men\xFC zeigt sie, startet ihre Befehle aber nicht und \xE4ndert sie nicht\n";

struct TrustCase {
  FileTrust trust;
  std::string out;
  int status = 0;
};

TEST(MenuCheckCommandTest, FilesOthersMayHaveChangedAreProblems) {
  const std::vector<TrustCase> cases = {
      {FileTrust::Trusted, "-menue-: 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, kein Fehler\n", 0},
      {FileTrust::OtherOwner,
       "-menue-:1: geh\xF6rt einem anderen Benutzer" + Refused +
           "-menue-: 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, 1 Fehler\n",
       1},
      {FileTrust::OthersMayWrite,
       "-menue-:1: f\xFCr andere beschreibbar" + Refused +
           "-menue-: 1 Men\xFCpunkt, 1 Men\xFC im Verzeichnis, 1 Fehler\n",
       1},
  };
  for (const TrustCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.trust));
    VirtualPlatform machine;
    machine.files.putFile("-menue-", std::string(OneItem));
    machine.files.setTrust("-menue-", c.trust);
    CollectedStream out;
    CollectedStream err;
    EXPECT_EQ(runMenuCheck(machine.files, machine.platform().rules, {}, false, out, err), c.status);
    EXPECT_EQ(out.text, c.out);
    EXPECT_EQ(err.text, "");
  }
}

}  // namespace
}  // namespace menue
