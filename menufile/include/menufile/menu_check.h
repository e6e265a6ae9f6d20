// The checks of a MenuFile text for what hand editing breaks: what the
// loader makes of the text, said as findings at the line of the file where
// they are, and what the menu does with a file that others may have
// changed. Pure: text in, findings out; the checker's front end reads the
// files and prints.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace menue {

enum class FindingKind {
  NoDisplayMarker,
  NoExecutionMarker,
  TextAfterDisplayMarker,
  TooManyItems,
  MarkerInDisplayLine,
  EmptyDisplayLine,
  MissingTab,
  MissingEndMarker,
  BadStatus,
  TextAfterEndMarker,
  MixedLineEnds,
  Utf16,
  ByteOrderMark,
  CarriageReturnsOnly,
  MarkerSpelling,
  HeaderKeySpelling,
  DisplayLineTooLong,
  HeaderTooLong,
  MixedEncodings,
  BlanksForTab,
  DirectoryWithBlanks,
  EmptyLineAfterDirectory,
  EndOfFileMark,
  TextBeforeFirstTab,
  // Of a MenuSet (menu_set_check.h).
  AdoptedMenu,
  NameOutOfScheme,
  // Of who may have changed the file.
  OtherOwner,
  GroupMayWrite,
  OthersMayWrite,
  AllowedMenu,
};

// Fehler: the menu will not do what the file says (exit status 1).
// Warnung: it works, but probably not as meant. Hinweis: harmless.
enum class Severity { Error, Warning, Note };

struct MenuFinding {
  int line = 1;  // 1-based line of the file: every LF ends one
  FindingKind kind = FindingKind::NoDisplayMarker;
  std::string message;  // German, Windows-1252: what is wrong and what to change
  Severity severity = Severity::Error;
  int column = 0;  // 1-based, in characters; 0 where no column helps
  bool operator==(const MenuFinding&) const = default;
};

// What the checks take from the floors above the MenuFile's: the screen's
// room, and how the menu reads an item's only command line.
struct CheckRules {
  // The longest display text the frame leaves whole, and the longest
  // header the screen shows, in characters.
  int longestDisplayText = 0;
  int longestHeader = 0;
  // The directory an item's only command line changes to ("" when it goes
  // home or to a drive), nothing when the line is no directory change.
  std::function<std::optional<std::string>(const std::string&)> directoryChange;
};

struct MenuCheck {
  // The items the menu shows; 0 when the text does not load.
  int items = 0;
  bool loads = false;
  // In the order of their lines.
  std::vector<MenuFinding> findings;
};

// Parses the text as the menu does (parseMenuText) and says what it finds.
MenuCheck checkMenuText(std::string_view text, const CheckRules& rules);

// What the menu does with a file that others may have changed, as a
// finding of its first line; none for a trusted file. `allowed`: the user
// allowed these very bytes (menue --allow), a note in place of the refusal.
std::vector<MenuFinding> trustFindings(FileTrust trust, bool allowed = false);

}  // namespace menue
