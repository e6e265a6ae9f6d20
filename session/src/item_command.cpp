// What running an item means: cut out of the model's text, split into its
// command lines, and put into the form the system takes.
#include "session/item_command.h"

#include <utility>

#include "platform/shell_syntax.h"
#include "session/text_forms.h"

namespace menue {

namespace {

// The command line of an item created without commands; it runs nothing.
constexpr std::string_view Placeholder = "'";

int statusOf(const std::string& part) {
  if (part.empty() || part[0] < '0' || part[0] > '9') return 0;
  return part[0] - '0';
}

std::vector<std::string> systemLines(const std::string& commands, const MenuModel& model,
                                     const PathRules& rules) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < commands.size()) {
    const LineEnd end = findLineEnd(commands, pos, model.lineEnd);
    const std::size_t stop = end.length == 0 ? commands.size() : end.pos;
    lines.push_back(menuCommandLine(commands.substr(pos, stop - pos), model.utf8, rules));
    pos = end.length == 0 ? commands.size() : end.pos + end.length;
  }
  return lines;
}

void setScript(ItemCommand& item, ScriptText script) {
  item.scriptBody = std::move(script.text);
  item.unscriptable = script.refused;
}

}  // namespace

// A directory command of a single-line item is carried out by the program
// on its own directory. A drive change with more than the drive is a
// program to start.
bool isItemDirectoryCommand(const DirectoryCommand& command) {
  using Kind = DirectoryCommand::Kind;
  return command.kind == Kind::Home || command.kind == Kind::ChangeDirectory ||
         (command.kind == Kind::ChangeDrive && command.path.empty());
}

bool runnableStatus(int status) {
  return status >= 1 && status <= 3;
}

ItemCommand itemCommandOf(const MenuModel& model, int n, const PathRules& rules) {
  ItemCommand item;
  if (model.executionPartCut(n)) {
    item.kind = ItemCommand::Kind::Cut;
    return item;
  }
  item.status = statusOf(model.executionPart(n));
  const CommandLines commands = commandLinesOf(model, n);
  item.lines = systemLines(commands.text, model, rules);
  if (!commands.onlyLine) {
    item.kind = ItemCommand::Kind::Script;
    setScript(item, menuScriptText(commands.text, model.utf8, rules));
    return item;
  }
  const std::string& line = *commands.onlyLine;
  const std::string commandLine = menuCommandLine(line, model.utf8, rules);
  item.directory = directoryCommandOf(commandLine);
  if (isItemDirectoryCommand(item.directory)) {
    item.kind = ItemCommand::Kind::Directory;
  } else if (line == Placeholder) {
    item.kind = ItemCommand::Kind::Placeholder;
  } else if (runnableStatus(item.status)) {
    item.kind = ItemCommand::Kind::Direct;
    item.commandLine = commandLine;
    item.throughShell = runsThroughShell(commandLine, rules);
  } else {
    item.kind = ItemCommand::Kind::Script;
    setScript(item, menuScriptText(line, model.utf8, rules));
  }
  return item;
}

}  // namespace menue
