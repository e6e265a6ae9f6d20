// menue --edit on the virtual platform: whether the editor is started on
// a MenuFile, decided by the file that was read, also when another user's
// file took the name's place after the look at it.
#include "modes/edit_command.h"

#include <gtest/gtest.h>

#include "platform/virtual/virtual_platform.h"
#include "tests/support/collected_stream.h"

namespace menue {
namespace {

constexpr std::string_view Menu = "(Menuanzeige)\r\nEins\r\n(Menuausfuhrung)\r\n\t1a\r\n\t\r\n";

struct TrustCase {
  std::string name;
  FileTrust trust;            // of the file at the name
  FileTrust trustWhenOpened;  // of the file the read opens
  ExitStatus status;
  bool editorStarted;
  std::string err;
};

TEST(EditCommandTest, TrustIsThatOfTheFileRead) {
  const std::string refused =
      "menue: -menue-: Men\xFC"
      "datei geh\xF6rt einem anderen Benutzer: nicht ge\xE4ndert\n";
  const std::vector<TrustCase> cases = {
      {"the user's", FileTrust::Trusted, FileTrust::Trusted, ExitStatus::Done, true, ""},
      {"another's", FileTrust::OtherOwner, FileTrust::OtherOwner, ExitStatus::Unusable, false,
       refused},
      {"swapped after the look", FileTrust::Trusted, FileTrust::OtherOwner, ExitStatus::Unusable,
       false, refused},
      {"open to others", FileTrust::OthersMayWrite, FileTrust::OthersMayWrite, ExitStatus::Unusable,
       false,
       "menue: -menue-: Men\xFC"
       "datei f\xFCr andere beschreibbar: nicht ge\xE4ndert\n"},
  };
  for (const TrustCase& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualPlatform machine;
    machine.files.putFile("-menue-", std::string(Menu));
    machine.files.setTrust("-menue-", c.trust);
    if (c.trustWhenOpened != c.trust)
      machine.files.setTrustWhenOpened("-menue-", c.trustWhenOpened);
    Platform& platform = machine.platform();
    CommandServices::Services services{platform.files, platform.processes, platform.environment,
                                       platform.clock, platform.rules};
    EditRecording recording(platform.files, platform.environment, platform.clock, platform.rules);
    VirtualInput in;
    CollectedStream out;
    CollectedStream err;
    EXPECT_EQ(runEdit(services, recording, "", in, out, err), c.status);
    EXPECT_EQ(err.text, c.err);
    EXPECT_EQ(!machine.processes.started.empty(), c.editorStarted);
    EXPECT_EQ(machine.files.file("-menue-"), std::string(Menu));
  }
}

}  // namespace
}  // namespace menue
