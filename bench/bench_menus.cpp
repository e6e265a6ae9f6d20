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

std::vector<TextMenu> textMenus() {
  const auto items = [](std::vector<std::string> texts) {
    std::vector<BenchItem> made;
    for (std::string& text : texts) made.push_back({std::move(text), "echo Punkt"});
    return made;
  };
  // Columns of the items: 10, 6, 12, 8, 12; of the header: 10.
  return {
      {"ASCII",
       "Werkzeuge:", items({"Tageskarte", "Blocks", "Datensichern", "Ausgaben", "Netzwerkplan"})},
      {"code page 850", "Ger\x84tsatz:",
       items({"Gr\x94\xE1"
              "e pr\x81"
              "f",
              "\x8Ergern", "Ma\xE1nahmen 12",
              "\x99"
              "ffnen 8",
              "Schl\x81ssel 12"})},
      {"UTF-8, wide", "\u9053\u5177\u7BB1\u4E00\u89A7",
       items({"\u30AB\u30EC\u30F3\u30C0\u30FC", "\u30E1\u30E2\u5E33",
              "\u30D0\u30C3\u30AF\u30A2\u30C3\u30D7", "\u30D7\u30EA\u30F3\u30BF",
              "\u30CD\u30C3\u30C8\u30EF\u30FC\u30AF"})},
  };
}

}  // namespace menue::bench
