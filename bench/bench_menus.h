// The MenuFiles the benchmarks measure with, written in the program's own
// format: CR LF line ends, the header line, the display section, the
// execution section with TAB + status + command per item, the end marker.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace menue::bench {

struct BenchItem {
  std::string text;
  std::string command;
};

// A MenuFile whose items all have status 1 (start and wait).
std::string menuFileText(std::string_view header, const std::vector<BenchItem>& items);

// `count` items "Eintrag 1" ... with one command line each.
std::vector<BenchItem> numberedItems(int count);

// The sample five-item menu every program in the terminal comparison shows.
inline constexpr std::string_view SampleHeader = "Werkzeuge";
std::vector<BenchItem> sampleItems();

// One menu of five items in three kinds of text, each item as many columns
// wide in every kind: ASCII, code page 850 with umlauts, and UTF-8 of wide
// (East Asian) characters, two columns each.
struct TextMenu {
  std::string_view name;
  std::string header;
  std::vector<BenchItem> items;
};
std::vector<TextMenu> textMenus();

}  // namespace menue::bench
