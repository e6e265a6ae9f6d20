// The refusal of a MenuFile that others may have changed: one line saying
// why, in the style of the other refusals, and the menu stays.
#include "session/menu_trust.h"

#include <string>

#include "menufile/distrust_text.h"
#include "session/pause.h"
#include "session/program.h"

namespace menue {

std::string untrustedMenuText(FileTrust trust) {
  if (trust == FileTrust::Trusted) return {};
  return "Men\xFC"
         "datei " +
         std::string(distrustText(trust));
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
