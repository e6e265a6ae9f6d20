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

}  // namespace menue::bench
