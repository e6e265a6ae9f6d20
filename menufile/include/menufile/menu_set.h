// The MenuSet of a directory: the MenuFile names and numbers, the existence
// tests, the adoption of a numbered MenuFile for a missing "-menue-" (or
// current name), and the next menu when paging.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace menue {

inline constexpr std::string_view FirstMenuName = "-menue-";
// A MenuSet holds "-menue-" and the numbers 2 to 99.
inline constexpr int HighestMenuNumber = 99;
inline constexpr std::string_view NumberedMenuPattern = "-menue?\?-";  // "?\?" avoids a trigraph

std::string menuFileName(int number);
int menuNumberOf(std::string_view name);
// Whether the current directory holds a plain file of this name.
bool menuFileExists(FileSystem& files, const std::string& name);
// Whether a plain file matching "-menue??-" exists in the current directory.
bool numberedMenuExists(FileSystem& files);
// Moves the first numbered MenuFile to `name`. Returns the code of a failed
// move (none when the file was gone by then); `adopted` tells whether a file
// now stands under `name`.
PlatformCode adoptNumberedMenu(FileSystem& files, const std::string& name, bool& adopted);
// The next existing MenuFile after `current`, over one full cycle (the
// current one last); "-menue-" when none exists.
std::string nextMenuName(FileSystem& files, std::string_view current);
// The first MenuFile name not in use, or nothing when all 99 are taken.
std::optional<std::string> firstFreeMenuName(FileSystem& files);

}  // namespace menue
