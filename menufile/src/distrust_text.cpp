// The words for a file others may have changed: another's, or writable
// by others (through its group or by everyone).
#include "menufile/distrust_text.h"

namespace menue {

std::string_view distrustText(FileTrust trust) {
  switch (trust) {
    case FileTrust::OtherOwner:
      return "geh\xF6rt einem anderen Benutzer";
    case FileTrust::GroupMayWrite:
    case FileTrust::GroupUnlisted:
    case FileTrust::OthersMayWrite:
      return "f\xFCr andere beschreibbar";
    case FileTrust::Trusted:
      break;
  }
  return {};
}

}  // namespace menue
