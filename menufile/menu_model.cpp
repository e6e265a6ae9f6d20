// The MenuModel's accessors: cutting display lines and ExecutionParts out of
// the text by the stored positions, and the line-end search the format uses.
#include "menufile/menu_model.h"

#include "menufile/menu_text.h"

namespace menue {

namespace {

std::string cut(const std::string& text, std::size_t begin, std::size_t end) {
  if (begin >= text.size() || end <= begin) return {};
  return text.substr(begin, end - begin);
}

bool isItem(const MenuModel& model, int item) {
  return isParsed(model) && item >= 1 && item <= model.itemCount;
}

// The 0-based position of the line end of the "(Menuausfuhrung)" line, where
// the search for the first TAB starts.
std::size_t execScanStart(const MenuModel& model) {
  const std::size_t markerLine = static_cast<std::size_t>(model.lineStart[model.itemCount + 1]) - 1;
  const LineEnd end = findLineEnd(model.rawText, markerLine);
  return end.pos == std::string_view::npos ? model.rawText.size() : end.pos;
}

}  // namespace

LineEnd findLineEnd(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return {std::string_view::npos, 0};
  const std::size_t lf = text.find('\n', pos);
  if (lf == std::string_view::npos) return {std::string_view::npos, 0};
  if (lf > pos && text[lf - 1] == '\r') return {lf - 1, 2};
  return {lf, 1};
}

std::string MenuModel::displayText(int i) const {
  if (!isItem(*this, i)) return {};
  const std::size_t begin = static_cast<std::size_t>(lineStart[i]) - 1;
  const LineEnd end = findLineEnd(rawText, begin);
  return cut(rawText, begin, end.pos == std::string_view::npos ? rawText.size() : end.pos);
}

std::string MenuModel::displayLine(int i) const {
  if (!isItem(*this, i)) return {};
  return cut(rawText, static_cast<std::size_t>(lineStart[i]) - 1,
             static_cast<std::size_t>(lineStart[i + 1]) - 1);
}

std::string MenuModel::executionPart(int i) const {
  if (!isItem(*this, i)) return {};
  const TextRange range = executionRange(*this, i);
  return cut(rawText, range.begin, range.end);
}

std::string MenuModel::executionPartWithTab(int i) const {
  if (!isItem(*this, i)) return {};
  const TextRange range = executionRange(*this, i);
  const bool tabFollows = range.end < rawText.size() && rawText[range.end] == '\t';
  return cut(rawText, range.begin, range.end + (tabFollows ? 1 : 0));
}

std::string MenuModel::textBeforeItems() const {
  if (!isParsed(*this)) return {};
  return cut(rawText, 0, static_cast<std::size_t>(lineStart[1]) - 1);
}

bool isParsed(const MenuModel& model) {
  return model.valid && model.lineStart[model.itemCount + 1] >= 1;
}

bool hasOpeningTab(const MenuModel& model, int item) {
  if (!isParsed(model) || item < 1 || item > model.itemCount + 1) return false;
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
  if (execScanStart(model) == model.rawText.size()) padding += CrLf;
  for (int earlier = 1; earlier < item; ++earlier) {
    if (!hasOpeningTab(model, earlier)) padding += '\t';
  }
  return model.rawText.size();
}

}  // namespace menue
