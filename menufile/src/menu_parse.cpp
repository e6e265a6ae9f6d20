// The loader's parse of a MenuFile text: header, display lines up to the
// "(Menuausfuhrung)" line, and the TABs that open the ExecutionParts. Every
// search runs to the end of the text; the text's one line end ends lines.
#include <algorithm>
#include <climits>
#include <utility>

#include "menufile/menu_parse.h"
#include "platform/text_width.h"
#include "platform/utf8.h"

namespace menue {

namespace {

constexpr int DisplayLinesSearched = MaxLoadedItems + 1;

std::string headerOf(const std::string& text, std::string_view lineEnd) {
  const std::size_t key = text.find(HeaderKey);
  if (key == std::string::npos) return {};
  const std::size_t begin = key + HeaderKey.size();
  const LineEnd end = findLineEnd(text, begin, lineEnd);
  return text.substr(begin, end.pos == std::string::npos ? std::string::npos : end.pos - begin);
}

// The first display line starts after the line end that follows the marker;
// a marker followed by other text keeps the format's two-character step.
std::size_t firstDisplayLine(const std::string& text, std::size_t afterMarker,
                             std::string_view lineEnd) {
  const LineEnd end = findLineEnd(text, afterMarker, lineEnd);
  if (end.pos == afterMarker) return afterMarker + end.length;
  return std::min(afterMarker + 2, text.size());
}

int toPosition(std::size_t index) {
  return static_cast<int>(std::min<std::size_t>(index + 1, INT_MAX));
}

}  // namespace

ParseResult parseMenuText(MenuModel& model, std::string text) {
  model.rawText = std::move(text);
  const std::string& raw = model.rawText;
  model.lineStart.fill(0);
  model.execStart.fill(0);
  model.frameWidth = 0;
  model.lineEnd = lineEndOf(raw);
  model.utf8 = isUtf8Text(raw);
  model.header = headerOf(raw, model.lineEnd);
  model.loaded = false;
  model.readStamp.reset();

  const std::size_t marker = raw.find(DisplayMarker);
  if (marker == std::string::npos) return ParseResult::NoDisplayMarker;

  std::array<int, 21> lineStart{};
  std::size_t lineBegin = firstDisplayLine(raw, marker + DisplayMarker.size(), model.lineEnd);
  for (int i = 1; i <= DisplayLinesSearched; ++i) {
    lineStart[i] = toPosition(lineBegin);
    const LineEnd end = findLineEnd(raw, lineBegin, model.lineEnd);
    const std::size_t lineEnd = end.pos == std::string::npos ? raw.size() : end.pos;
    const std::string_view line = std::string_view(raw).substr(lineBegin, lineEnd - lineBegin);
    const std::size_t length =
        model.utf8 ? static_cast<std::size_t>(textColumns(line)) : line.size();
    if (length > 2) {
      model.frameWidth =
          std::max(model.frameWidth, static_cast<int>(std::min<std::size_t>(length - 2, INT_MAX)));
    }
    if (line.find(ExecMarker) != std::string::npos) {
      model.itemCount = i - 1;
      model.lineStart = lineStart;
      std::size_t scan = lineEnd;
      for (int j = 1; j <= model.itemCount + 1; ++j) {
        const std::size_t tab = raw.find('\t', scan);
        if (tab != std::string::npos) scan = tab + 1;
        model.execStart[j] = toPosition(scan);
      }
      model.loaded = true;
      return ParseResult::Loaded;
    }
    lineBegin = end.pos == std::string::npos ? raw.size() : lineEnd + end.length;
  }
  return ParseResult::NoExecutionMarker;
}

bool loadsWithItems(std::string text, int items) {
  MenuModel check;
  return parseMenuText(check, std::move(text)) == ParseResult::Loaded && check.itemCount == items;
}

}  // namespace menue
