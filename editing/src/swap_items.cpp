// "Menü*": exchanges two items of the current MenuFile, each with its
// display line and ExecutionPart; asks for the pair when the command gives
// none.
#include "editing/swap_items.h"

#include "editing/edit_dialogue.h"
#include "menufile/menu_text_builders.h"
#include "menufile/number_reader.h"
#include "session/menu_view.h"
#include "session/program.h"

namespace menue {

namespace {

constexpr std::size_t ArgumentLength = 9;
constexpr std::size_t SecondNumberLength = 5;

// The argument: the command text after the command word, or the answer to
// the question when the command word stands alone. Empty when the command
// carries text without a "+".
std::string swapArgument(Program& program, const std::string& commandText) {
  if (commandText.size() > CommandWordLength) {
    if (commandText.find('+') == std::string::npos) return {};
    return commandText.substr(CommandWordLength, ArgumentLength);
  }
  program.screen.writeText(" position1+position2 (Beispiel:3+6) >");
  return program.input.readLine();
}

Next swapChosenItems(Program& program, const std::string& commandText) {
  if (const Next next = wholeMenuForEdit(program); next != Next::Continue) return next;
  const std::string argument = swapArgument(program, commandText);
  if (argument.empty()) return Next::Continue;
  const std::size_t plus = argument.find('+');
  const std::string_view text(argument);
  long first = 0;
  long second = 0;
  if (plus == std::string::npos) {
    first = readWholeNumber(text.substr(0, text.size() - 1));
  } else {
    first = readWholeNumber(text.substr(0, plus));
    second = readWholeNumber(text.substr(plus, SecondNumberLength));
  }
  const int items = program.model.items();
  if (first < 1 || first > items || second < 1 || second > items || first == second) {
    return Next::Continue;
  }
  return rewriteCurrentMenu(
      program, swapItemsText(program.model, static_cast<int>(first), static_cast<int>(second)));
}

}  // namespace

Next swapItems(Program& program, const std::string& commandText) {
  return finishEdit(program, swapChosenItems(program, commandText));
}

}  // namespace menue
