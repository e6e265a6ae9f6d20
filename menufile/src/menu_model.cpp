// The MenuModel's accessors: cutting display lines and ExecutionParts out of
// the text by the stored positions, and the line-end search the format uses.
#include "menufile/menu_model.h"

#include "execution_parts.h"

namespace menue {

namespace {

std::string cut(const std::string& text, std::size_t begin, std::size_t end) {
  if (begin >= text.size() || end <= begin) return {};
  return text.substr(begin, end - begin);
}

bool isItem(const MenuModel& model, int item) {
  return item >= 1 && item <= model.items();
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

std::string MenuModel::textBeforeItems() const {
  if (!loaded) return {};
  return cut(rawText, 0, static_cast<std::size_t>(lineStart[1]) - 1);
}

}  // namespace menue
