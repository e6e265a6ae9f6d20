// The edit commands of the prompt: adding an item (and creating a MenuFile),
// removing and swapping items, creating and deleting menus; the number
// reader they share; and the pure text builders behind them.
#pragma once

#include <string>
#include <string_view>

namespace menue {

struct Program;
struct MenuModel;

// The number a text begins with: blanks, TABs and line feeds skipped, an
// optional sign directly followed by a digit or a point, digits with at most
// one decimal point; 0 when the text does not begin with a number.
double readNumber(std::string_view text);
// Rounds to the nearest whole number, a half to the even neighbour.
long roundHalfEven(double value);
// readNumber then roundHalfEven.
long readWholeNumber(std::string_view text);

// The new MenuFile texts; the model must be valid and positions in range.
std::string insertItemText(const MenuModel& model, int position, std::string_view displayText,
                           char status, std::string_view commandText);
std::string removeItemText(const MenuModel& model, int position);
std::string swapItemsText(const MenuModel& model, int first, int second);
// A complete new MenuFile as the creation dialogue writes it.
std::string newMenuFileText(std::string_view header, std::string_view displayText, char status,
                            std::string_view commandText);

void addItem(Program& program, const std::string& commandText);
void removeItem(Program& program, const std::string& commandText);
void swapItems(Program& program, const std::string& commandText);
void newMenu(Program& program);
void deleteMenu(Program& program);

}  // namespace menue
