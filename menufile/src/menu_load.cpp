// Reading a MenuFile into the MenuModel, and the rewrite through which every
// edit replaces a MenuFile's content in one safe step.
#include "menufile/menu_load.h"

#include <utility>

namespace menue {

LoadResult loadMenu(FileSystem& files, const std::string& name, MenuModel& model) {
  std::string text;
  const PlatformCode failure = files.readFile(name, text);
  if (failure != code::Success) return {failure};
  return {code::Success, parseMenuText(model, std::move(text))};
}

LoadResult rewriteMenuFile(FileSystem& files, const std::string& name, MenuModel& model,
                           std::string newText) {
  const PlatformCode failure = files.replaceFile(name, newText);
  if (failure != code::Success) return {failure};
  return {code::Success, parseMenuText(model, std::move(newText))};
}

}  // namespace menue
