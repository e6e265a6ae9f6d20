// What the checks of a MenuFile text share: where a finding stands, how
// one is made, the names of items, the lines of a text and the markers as
// people misspell them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menufile/menu_check.h"
#include "menufile/menu_model.h"
#include "platform/text_width.h"
#include "platform/utf8.h"

namespace menue::checks {

using Findings = std::vector<MenuFinding>;

// Where a finding stands: its line and column, counted in the text as an
// editor counts them.
class Places {
 public:
  Places(std::string_view text, bool utf8) : text_(text), utf8_(utf8) {}

  int line(std::size_t index) const {
    const std::size_t end = std::min(index, text_.size());
    return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + end, '\n'));
  }
  int lastLine() const { return text_.empty() ? 1 : line(text_.size() - 1); }
  int column(std::size_t index) const {
    const std::size_t end = std::min(index, text_.size());
    const std::size_t lineBegin = end == 0 ? 0 : text_.rfind('\n', end - 1) + 1;
    const std::string_view part = text_.substr(lineBegin, end - lineBegin);
    return 1 + static_cast<int>(utf8_ ? utf8Length(part) : part.size());
  }
  // A text's width in the columns the screen gives it (a wide character
  // takes two, a combining mark none).
  int width(std::string_view part) const {
    return static_cast<int>(utf8_ ? textColumns(part) : part.size());
  }
  // Whether the text's width differs from its count of characters.
  bool widthDiffers(std::string_view part) const {
    return utf8_ && static_cast<std::size_t>(textColumns(part)) != utf8Length(part);
  }
  // The index of the first character past `columns` columns from `begin`:
  // a wide character that straddles the limit is the first past it.
  std::size_t advance(std::size_t begin, int columns) const {
    const std::size_t from = std::min(begin, text_.size());
    if (!utf8_) return std::min(from + static_cast<std::size_t>(columns), text_.size());
    return from + prefixWithinColumns(text_.substr(from), columns);
  }

 private:
  std::string_view text_;
  bool utf8_;
};

// The lines of a text with their 0-based starts, each without LF and CR.
struct Line {
  std::size_t begin;
  std::string_view text;
};

// What a length counts: characters, or columns where wide characters or
// combining marks make the two differ.
std::string_view lengthUnit(const Places& at, std::string_view text);

// A finding of the text; column 0 for none.
MenuFinding finding(FindingKind kind, Severity severity, int line, std::string message,
                    int column = 0);

// How the messages name an item.
std::string itemName(int item);

// The text in double quotes.
std::string quoted(std::string_view text);

// 0-based start of item i's display line (i up to itemCount + 1, the
// "(Menuausfuhrung)" line).
std::size_t displayStart(const MenuModel& model, int item);

// 0-based position of the TAB that opens item i's ExecutionPart.
std::size_t openingTab(const MenuModel& model, int item);

bool blank(std::string_view text, std::string_view blanks);

std::vector<Line> linesOf(std::string_view text, std::size_t from = 0);

// A marker as people misspell it: letter case, blanks around it, and ü (in
// Windows-1252, UTF-8 or OEM) or "ue" for the u. Gives the form to compare.
std::string markerSpelling(std::string_view line);

std::string lowered(std::string_view marker);

// A line that means the marker but is not spelt as the menu needs it.
std::optional<Line> misspeltMarker(std::string_view text, std::string_view marker,
                                   std::size_t from);

MenuFinding markerFinding(const Places& at, const Line& line, std::string_view marker);

}  // namespace menue::checks
