// The benchmark MenuFiles.
#include "bench/bench_menus.h"

namespace menue::bench {

std::string menuFileText(std::string_view header, const std::vector<BenchItem>& items) {
  std::string text = "Kopfzeile=";
  text += header;
  text += "\r\n(Menuanzeige)\r\n";
  for (const BenchItem& item : items) text += item.text + "\r\n";
  text += "(Menuausfuhrung)\r\n";
  for (const BenchItem& item : items) text += "\t1" + item.command + "\r\n";
  text += "\t\r\n";
  return text;
}

std::vector<BenchItem> numberedItems(int count) {
  std::vector<BenchItem> items;
  for (int i = 1; i <= count; ++i) {
    items.push_back({"Eintrag " + std::to_string(i), "echo Eintrag " + std::to_string(i)});
  }
  return items;
}

std::vector<BenchItem> sampleItems() {
  return {{"Editor", "vi notizen.txt"},
          {"Backup to drive D", "tar cf /tmp/sicherung.tar ."},
          {"Third", "echo drei"},
          {"Fourth", "echo vier"},
          {"Fifth", "echo fuenf"}};
}

}  // namespace menue::bench
