// Reading a MenuFile into the MenuModel, and the rewrite through which every
// edit replaces a MenuFile's content in one safe step.
#include "menufile/menu_load.h"

#include <utility>

#include "execution_parts.h"

namespace menue {

namespace {

LoadResult loadStart(FileSystem& files, const std::string& name, MenuModel& model,
                     std::size_t limit) {
  FileStart start;
  const PlatformCode failure = files.readFileStart(name, limit, start);
  if (failure != code::Success) return {failure};
  const ParseResult parse = parseMenuText(model, std::move(start.text));
  model.whole = start.whole;
  if (parse == ParseResult::Loaded) model.readStamp = start.stamp;
  return {code::Success, parse, start.trust};
}

// Whether more text could change what the parse of a file's start found:
// not when every search of the parse ended inside it (the CR LF line end,
// the header's line, both markers and the TAB after the last ExecutionPart).
bool settled(const MenuModel& model) {
  if (model.whole) return true;
  if (!model.loaded || model.lineEnd != CrLf) return false;
  const std::size_t header = model.rawText.find(HeaderKey);
  if (header == std::string::npos ||
      findLineEnd(model.rawText, header, model.lineEnd).pos == std::string::npos) {
    return false;
  }
  return hasOpeningTab(model, model.itemCount + 1);
}

}  // namespace

LoadResult loadMenu(FileSystem& files, const std::string& name, MenuModel& model) {
  const LoadResult first = loadStart(files, name, model, FirstMenuFileBytes);
  if (first.failure != code::Success || settled(model)) return first;
  return loadWholeMenu(files, name, model);
}

bool holdsTextOf(const MenuModel& model, const PlainFileLook& look) {
  return model.readStamp && look.stamp && *model.readStamp == *look.stamp;
}

LoadResult loadWholeMenu(FileSystem& files, const std::string& name, MenuModel& model) {
  return loadStart(files, name, model, MaxMenuFileBytes);
}

LoadResult rewriteMenuFile(FileSystem& files, const std::string& name, MenuModel& model,
                           FileSystem::SeenText seen, std::string newText) {
  const PlatformCode failure = files.replaceFile(name, seen, newText);
  if (failure != code::Success) return {failure};
  model.whole = true;
  return {code::Success, parseMenuText(model, std::move(newText))};
}

}  // namespace menue
