// The new MenuFile texts the edits write: a whole new file, an inserted
// item, and the rebuilt item sections after a removal or a swap.
#include "menufile/menu_text_builders.h"

#include <string>
#include <vector>

#include "execution_parts.h"
#include "platform/utf8.h"

namespace menue {

namespace {

// The command line of a created item without commands; running it does
// nothing.
constexpr std::string_view NoCommand = "'\r\n";

// The new text, unless joining the pieces made a CR of the old text meet an
// LF: an LF text would then be read as a CR LF one, every lone LF an
// ordinary byte. Such an edit gives the old text, so nothing changes.
std::string keepingLineEnd(const MenuModel& model, std::string text) {
  if (lineEndOf(text) == model.lineEnd) return text;
  return model.rawText;
}

// The text before the items, the given items' display lines, the bare
// execution marker, and each given item's ExecutionPart closed by a TAB.
std::string rebuildItems(const MenuModel& model, const std::vector<int>& order) {
  std::string text = model.textBeforeItems();
  for (int item : order) text += model.displayLine(item);
  text += ExecMarker;
  text += model.lineEnd;
  text += '\t';
  for (int item : order) {
    text += model.executionPart(item);
    text += '\t';
  }
  return keepingLineEnd(model, std::move(text));
}

// Command lines written with CR LF, in the line end of the text they go into.
std::string inLineEnd(std::string_view commandText, std::string_view lineEnd) {
  std::string text;
  for (std::size_t at = 0; at < commandText.size();) {
    const std::size_t end = commandText.find(CrLf, at);
    if (end == std::string_view::npos) {
      text += commandText.substr(at);
      break;
    }
    text += commandText.substr(at, end - at);
    text += lineEnd;
    at = end + CrLf.size();
  }
  return text;
}

bool isItem(const MenuModel& model, int item) {
  return item >= 1 && item <= model.items();
}

}  // namespace

std::string newMenuFileText(std::string_view header, std::string_view displayText, char status,
                            std::string_view commandText, bool utf8Comment) {
  std::string text =
      utf8Comment ? utf8Of(StructureComment, Windows1252) : std::string(StructureComment);
  text += HeaderKey;
  text += header;
  text += CrLf;
  text += DisplayMarker;
  text += CrLf;
  text += displayText;
  text += CrLf;
  text += ExecMarker;
  text += CrLf;
  text += '\t';
  text += status;
  text += commandText.empty() ? NoCommand : commandText;
  text += '\t';
  text += CrLf;
  return text;
}

std::string insertItemText(const MenuModel& model, int position, std::string_view displayText,
                           char status, std::string_view commandText) {
  if (!model.loaded || position < 1 || position > model.itemCount + 1) return model.rawText;
  const std::string& raw = model.rawText;
  const std::size_t lineAt = static_cast<std::size_t>(model.lineStart[position]) - 1;
  std::string padding;
  const std::size_t partAt = executionInsertPoint(model, position, padding);

  std::string text = raw.substr(0, lineAt);
  text += displayText;
  text += model.lineEnd;
  text += raw.substr(lineAt, partAt - lineAt);
  text += padding;
  text += '\t';
  text += status;
  text += inLineEnd(commandText, model.lineEnd);
  text += raw.substr(partAt);
  return keepingLineEnd(model, std::move(text));
}

std::string removeItemText(const MenuModel& model, int position) {
  if (!isItem(model, position)) return model.rawText;
  std::vector<int> order;
  for (int item = 1; item <= model.itemCount; ++item) {
    if (item != position) order.push_back(item);
  }
  return rebuildItems(model, order);
}

std::string swapItemsText(const MenuModel& model, int first, int second) {
  if (!isItem(model, first) || !isItem(model, second)) return model.rawText;
  std::vector<int> order;
  for (int item = 1; item <= model.itemCount; ++item) {
    order.push_back(item == first ? second : item == second ? first : item);
  }
  return rebuildItems(model, order);
}

}  // namespace menue
