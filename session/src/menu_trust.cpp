// The refusal of a MenuFile that others may have changed: one line saying
// why, in the style of the other refusals, and the menu stays.
#include "session/menu_trust.h"

#include <string>

#include "session/pause.h"
#include "session/program.h"

namespace menue {

std::string_view untrustedMenuText(FileTrust trust) {
  switch (trust) {
    case FileTrust::OtherOwner:
      return "Men\xFC"
             "datei geh\xF6rt einem anderen Benutzer";
    case FileTrust::GroupMayWrite:
    case FileTrust::GroupUnlisted:
    case FileTrust::OthersMayWrite:
      return "Men\xFC"
             "datei f\xFCr andere beschreibbar";
    case FileTrust::Trusted:
      break;
  }
  return {};
}

Next refuseUntrustedMenu(Program& program, MenuUse use) {
  const FileTrust trust = program.state.menuTrust;
  if (trust == FileTrust::Trusted) return Next::Continue;
  std::string message(1, ' ');
  message += untrustedMenuText(trust);
  message += ": ";
  message += use == MenuUse::Run ? "nicht ausgef\xFChrt." : "nicht ge\xE4ndert.";
  message += " Freigeben: menue --allow";
  program.screen.printText(message);
  pause(program);
  return Next::NewPass;
}

}  // namespace menue
