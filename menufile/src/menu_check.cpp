// The check of one MenuFile text, from its families of checks, and the
// findings of who may have changed the file. Each check parses nothing of
// its own: it reads the model parseMenuText made, so a finding says what the
// menu does with the file. Line numbers count every LF, as an editor shows
// the file; columns count characters (a TAB is one), lengths count the
// columns the screen gives the text.
#include "menufile/menu_check.h"

#include <algorithm>
#include <string>

#include "check_display.h"
#include "check_execution.h"
#include "check_support.h"
#include "check_text.h"
#include "menufile/distrust_text.h"
#include "menufile/menu_parse.h"

namespace menue {

using namespace checks;

namespace {

void checkLoaded(const MenuModel& model, const Places& at, const CheckRules& rules,
                 std::size_t marker, Findings& out) {
  checkDisplayMarkerLine(model, at, marker, out);
  checkItemCount(model, at, out);
  checkDisplayLines(model, at, rules, out);
  const int shiftedFrom = checkMissingTabs(model, at, out);
  if (shiftedFrom == 0) {
    checkExecutionParts(model, at, out);
    checkBeforeFirstTab(model, at, out);
  }
  checkStatuses(model, at, shiftedFrom, out);
  checkDirectoryChanges(model, at, rules, shiftedFrom, out);
  checkAfterEndMarker(model, at, out);
}

}  // namespace

MenuCheck checkMenuText(std::string_view text, const CheckRules& rules) {
  MenuCheck check;
  Findings& out = check.findings;
  MenuModel model;
  const ParseResult parse = parseMenuText(model, std::string(text));
  if (parse == ParseResult::Loaded) {
    check.loads = true;
    check.items = model.itemCount;
  }
  if (const auto unreadable = unreadableEncoding(text)) {
    out.push_back(*unreadable);
    return check;
  }
  const Places at(text, model.utf8);
  Findings parsed;
  const std::size_t marker = model.rawText.find(DisplayMarker);
  switch (parse) {
    case ParseResult::NoDisplayMarker:
      if (const auto misspelt = misspeltMarker(text, DisplayMarker, 0)) {
        parsed.push_back(markerFinding(at, *misspelt, DisplayMarker));
      } else {
        // The menu shows " Dateifehler " instead of its items.
        parsed.push_back(finding(FindingKind::NoDisplayMarker, Severity::Error, 1,
                                 "(Menuanzeige) fehlt: das Men\xFC zeigt \"Dateifehler\" statt "
                                 "der Men\xFCpunkte; vor die erste Anzeigezeile eine Zeile "
                                 "(Menuanzeige) einf\xFCgen"));
      }
      break;
    case ParseResult::NoExecutionMarker:
      checkDisplayMarkerLine(model, at, marker, parsed);
      checkMissingExecution(model, at, marker, parsed);
      break;
    case ParseResult::Loaded:
      checkLoaded(model, at, rules, marker, parsed);
      break;
  }
  checkHeader(model, at, rules, parsed);
  if (!checkLineEnds(text, at, out)) out.insert(out.end(), parsed.begin(), parsed.end());
  checkEncodings(text, at, out);
  checkHeaderKey(text, at, out);
  std::stable_sort(out.begin(), out.end(), [](const MenuFinding& a, const MenuFinding& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
  });
  return check;
}

std::vector<MenuFinding> trustFindings(FileTrust trust, bool allowed) {
  constexpr std::string_view Refused =
      ": das Men\xFC zeigt sie, startet ihre Befehle aber nicht und \xE4ndert sie nicht";
  // An allow list never speaks for a file everyone may write.
  if (allowed && trust != FileTrust::OthersMayWrite && trust != FileTrust::Trusted) {
    return {finding(FindingKind::AllowedMenu, Severity::Note, 1,
                    "freigegeben (menue --allow): das Men\xFC f\xFChrt genau diese Fassung aus; "
                    "jede \xC4nderung macht sie wieder fremd")};
  }
  switch (trust) {
    case FileTrust::OtherOwner:
      return {finding(
          FindingKind::OtherOwner, Severity::Error, 1,
          std::string(distrustText(trust)) + std::string(Refused) + " (freigeben: menue --allow)")};
    // Which write bit lets others in, and how to take it away.
    case FileTrust::GroupMayWrite:
      return {finding(FindingKind::GroupMayWrite, Severity::Error, 1,
                      std::string(distrustText(trust)) +
                          " (Gruppe mit weiteren Mitgliedern oder Zugriffsliste)" +
                          std::string(Refused) + " (abhelfen: chmod g-w oder menue --allow)")};
    case FileTrust::GroupUnlisted:
      return {finding(FindingKind::GroupMayWrite, Severity::Error, 1,
                      std::string(distrustText(trust)) +
                          " (Gruppe nicht pr\xFC"
                          "fbar: die Gruppendatenbank nennt nicht alle Eintr\xE4ge, "
                          "nsswitch.conf)" +
                          std::string(Refused) + " (abhelfen: chmod g-w oder menue --allow)")};
    case FileTrust::OthersMayWrite:
      return {finding(FindingKind::OthersMayWrite, Severity::Error, 1,
                      std::string(distrustText(trust)) + " (f\xFCr alle)" + std::string(Refused) +
                          " (abhelfen: chmod o-w)")};
    case FileTrust::Trusted:
      break;
  }
  return {};
}

}  // namespace menue
