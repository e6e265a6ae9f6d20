// Where each item's ExecutionPart lies in a parsed text: the TABs found by
// the parse, a part's range, and the insertion point of a new part.
#include "execution_parts.h"

namespace menue {

std::size_t execScanStart(const MenuModel& model) {
  const std::size_t markerLine = static_cast<std::size_t>(model.lineStart[model.itemCount + 1]) - 1;
  const LineEnd end = findLineEnd(model.rawText, markerLine, model.lineEnd);
  return end.pos == std::string_view::npos ? model.rawText.size() : end.pos;
}

bool hasOpeningTab(const MenuModel& model, int item) {
  if (!model.loaded || item < 1 || item > model.itemCount + 1) return false;
  if (item == 1) return static_cast<std::size_t>(model.execStart[1]) - 1 > execScanStart(model);
  return model.execStart[item] > model.execStart[item - 1];
}

TextRange executionRange(const MenuModel& model, int item) {
  const std::size_t size = model.rawText.size();
  if (!hasOpeningTab(model, item)) return {size, size};
  const std::size_t begin = static_cast<std::size_t>(model.execStart[item]) - 1;
  const std::size_t tab = model.rawText.find('\t', begin);
  return {begin, tab == std::string::npos ? size : tab};
}

std::size_t executionInsertPoint(const MenuModel& model, int item, std::string& padding) {
  padding.clear();
  if (hasOpeningTab(model, item)) return static_cast<std::size_t>(model.execStart[item]) - 2;
  // An unended "(Menuausfuhrung)" line would swallow the new TABs.
  if (execScanStart(model) == model.rawText.size()) padding += model.lineEnd;
  for (int earlier = 1; earlier < item; ++earlier) {
    if (!hasOpeningTab(model, earlier)) padding += '\t';
  }
  return model.rawText.size();
}

}  // namespace menue
