// The checks of a MenuFile text for what hand editing breaks: what the
// loader makes of the text, said as findings at the line of the file where
// they are, and what the menu does with a file that others may have
// changed. Pure: text in, findings out; the checker's front end reads the
// files and prints.
#pragma once

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
  // Of a MenuSet (menu_set_check.h).
  AdoptedMenu,
  NameOutOfScheme,
  // Of who may have changed the file.
  OtherOwner,
  GroupMayWrite,
  OthersMayWrite,
};

struct MenuFinding {
  int line = 1;  // 1-based line of the file: every LF ends one
  FindingKind kind = FindingKind::NoDisplayMarker;
  std::string message;  // German, Windows-1252
  bool operator==(const MenuFinding&) const = default;
};

struct MenuCheck {
  // The items the menu shows; 0 when the text does not load.
  int items = 0;
  bool loads = false;
  // In the order of their lines.
  std::vector<MenuFinding> findings;
};

// Parses the text as the menu does (parseMenuText) and says what it finds.
MenuCheck checkMenuText(std::string_view text);

// What the menu does with a file that others may have changed, as a
// finding of its first line; none for a trusted file.
std::vector<MenuFinding> trustFindings(FileTrust trust);

}  // namespace menue
