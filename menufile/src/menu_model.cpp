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

std::string_view lineEndOf(std::string_view text) {
  return text.find(CrLf) == std::string_view::npos ? Lf : CrLf;
}

LineEnd findLineEnd(std::string_view text, std::size_t pos, std::string_view lineEnd) {
  if (pos >= text.size()) return {std::string_view::npos, 0};
  const std::size_t at = text.find(lineEnd, pos);
  if (at == std::string_view::npos) return {std::string_view::npos, 0};
  return {at, lineEnd.size()};
}

std::string MenuModel::displayText(int i) const {
  if (!isItem(*this, i)) return {};
  const std::size_t begin = static_cast<std::size_t>(lineStart[i]) - 1;
  const LineEnd end = findLineEnd(rawText, begin, lineEnd);
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

bool MenuModel::executionPartCut(int i) const {
  return !whole && isItem(*this, i) && executionRange(*this, i).end == rawText.size();
}

CommandLines commandLinesOf(const MenuModel& model, int item) {
  const std::string part = model.executionPart(item);
  CommandLines lines{part.empty() ? std::string() : part.substr(1), std::nullopt};
  const LineEnd first = findLineEnd(lines.text, 0, model.lineEnd);
  if (first.length == 0) {
    lines.onlyLine = lines.text;
  } else if (findLineEnd(lines.text, first.pos + first.length, model.lineEnd).length == 0) {
    lines.onlyLine = lines.text.substr(0, first.pos);
  }
  return lines;
}

std::string MenuModel::textBeforeItems() const {
  if (!loaded) return {};
  return cut(rawText, 0, static_cast<std::size_t>(lineStart[1]) - 1);
}

}  // namespace menue
