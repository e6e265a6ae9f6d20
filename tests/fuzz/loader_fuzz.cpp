// Fuzz target for the MenuFile parse and the edit texts built on it: no
// crash, every position inside the text, and every edit's text loads again
// with its items paired as intended.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "menufile/menu_parse.h"
#include "menufile/menu_text_builders.h"

namespace {

using menue::MenuModel;

void require(bool condition) {
  if (!condition) std::abort();
}

struct Item {
  std::string display;
  std::string part;
  bool operator==(const Item&) const = default;
};

std::vector<Item> itemsOf(const MenuModel& model) {
  std::vector<Item> items;
  for (int i = 1; i <= model.itemCount; ++i) {
    items.push_back({model.displayText(i), model.executionPart(i)});
  }
  return items;
}

std::vector<Item> reparsed(const std::string& text) {
  MenuModel model;
  require(menue::parseMenuText(model, text) == menue::ParseResult::Loaded);
  return itemsOf(model);
}

void checkPositions(const MenuModel& model) {
  const int end = static_cast<int>(model.rawText.size()) + 1;
  if (!model.loaded) {
    for (int i = 0; i <= 20; ++i) require(model.lineStart[i] == 0 && model.execStart[i] == 0);
    return;
  }
  require(model.itemCount >= 0 && model.itemCount <= menue::MaxLoadedItems);
  for (int i = 1; i <= model.itemCount + 1; ++i) {
    require(model.lineStart[i] >= 1 && model.lineStart[i] <= end);
    require(model.execStart[i] >= 1 && model.execStart[i] <= end);
    if (i > 1) require(model.lineStart[i] > model.lineStart[i - 1]);
    if (i > 1) require(model.execStart[i] >= model.execStart[i - 1]);
  }
  require(model.execStart[1] > model.lineStart[model.itemCount + 1]);
  require(model.frameWidth >= 0);
}

// An edit may give the old text back only where joining its pieces would
// make a CR of an LF text meet an LF and turn the text into a CR LF one.
void requireRefusalAllowed(const MenuModel& model) {
  require(model.lineEnd == menue::Lf && model.rawText.find('\r') != std::string::npos);
}

void checkEdits(const MenuModel& model) {
  const std::vector<Item> before = itemsOf(model);
  const int count = model.itemCount;
  if (count < menue::MaxLoadedItems) {
    for (int p = 1; p <= count + 1; ++p) {
      std::vector<Item> expected = before;
      // The command line comes in the line end of the text it goes into.
      expected.insert(expected.begin() + (p - 1), Item{"New", "2c" + std::string(model.lineEnd)});
      // The new item closes like the rest: without an end marker it runs to
      // the end of the text.
      const std::string text = menue::insertItemText(model, p, "New", '2', "c\r\n");
      if (text == model.rawText) {
        requireRefusalAllowed(model);
        continue;
      }
      require(reparsed(text) == expected);
    }
  }
  for (int p = 1; p <= count; ++p) {
    std::vector<Item> expected = before;
    expected.erase(expected.begin() + (p - 1));
    const std::string text = menue::removeItemText(model, p);
    if (text == model.rawText) {
      requireRefusalAllowed(model);
      continue;
    }
    require(!text.empty() && text.back() == '\t');
    require(reparsed(text) == expected);
  }
  if (count >= 2) {
    std::vector<Item> expected = before;
    std::swap(expected.front(), expected.back());
    const std::string text = menue::swapItemsText(model, 1, count);
    require(text == menue::swapItemsText(model, count, 1));
    if (text == model.rawText) {
      // Two items alike swap into the same text.
      if (expected != before) requireRefusalAllowed(model);
      return;
    }
    require(reparsed(text) == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MenuModel model;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const menue::ParseResult result = menue::parseMenuText(model, text);
  require(model.loaded == (result == menue::ParseResult::Loaded));
  checkPositions(model);
  if (model.loaded) checkEdits(model);
  return 0;
}
