// The MenuSet of a directory: the MenuFile names, the existence test, the
// adoption of a numbered MenuFile and the paging to the next menu.
#pragma once

#include <string>
#include <string_view>

namespace menue {

struct Program;

inline constexpr std::string_view FirstMenuName = "-menue-";
// A MenuSet holds "-menue-" and the numbers 2 to 99.
inline constexpr int HighestMenuNumber = 99;
inline constexpr std::string_view NumberedMenuPattern = "-menue?\?-";  // "?\?" avoids a trigraph

std::string menuFileName(int number);
int menuNumberOf(std::string_view name);
bool menuFileExists(Program& program, const std::string& name);
// Whether a plain file matching "-menue??-" exists in the current directory.
bool numberedMenuExists(Program& program);
// Moves the first numbered MenuFile to CurrentMenuName, if there is one.
void adoptNumberedMenu(Program& program);
// CurrentMenuName becomes the next existing MenuFile; stops after one cycle.
void nextMenu(Program& program);

}  // namespace menue
