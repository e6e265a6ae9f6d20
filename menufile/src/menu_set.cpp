// The MenuSet of a directory: MenuFile names and numbers, the existence
// tests, adopting a numbered MenuFile for a missing current one, and paging.
#include "menufile/menu_set.h"

#include "menufile/number_reader.h"

namespace menue {

std::string menuFileName(int number) {
  if (number <= 1 || number > HighestMenuNumber) return std::string(FirstMenuName);
  std::string name = "-menue";
  name += static_cast<char>('0' + number / 10);
  name += static_cast<char>('0' + number % 10);
  name += '-';
  return name;
}

int menuNumberOf(std::string_view name) {
  int number = 0;
  for (std::size_t i = 6; i < 8 && i < name.size() && isDigit(name[i]); ++i) {
    number = number * 10 + (name[i] - '0');
  }
  return number == 0 ? 1 : number;
}

bool menuFileExists(FileSystem& files, const std::string& name) {
  return !files.findPlainFiles(name).empty();
}

bool numberedMenuExists(FileSystem& files) {
  return !files.findPlainFiles(std::string(NumberedMenuPattern)).empty();
}

PlatformCode adoptNumberedMenu(FileSystem& files, const std::string& name, bool& adopted) {
  adopted = false;
  const auto found = files.findPlainFiles(std::string(NumberedMenuPattern));
  if (found.empty()) return code::Success;
  const PlatformCode failure = files.moveFile(found.front(), name);
  adopted = failure == code::Success;
  // One deleted by another program since the listing is not there to adopt.
  return failure == code::FileNotFound ? code::Success : failure;
}

std::string nextMenuName(FileSystem& files, std::string_view current) {
  int number = menuNumberOf(current);
  // One full cycle visits every number once, the current one last.
  for (int step = 0; step < HighestMenuNumber; ++step) {
    number = number >= HighestMenuNumber ? 1 : number + 1;
    std::string name = menuFileName(number);
    if (menuFileExists(files, name)) return name;
  }
  return std::string(FirstMenuName);
}

std::optional<std::string> firstFreeMenuName(FileSystem& files) {
  for (int number = 1; number <= HighestMenuNumber; ++number) {
    std::string name = menuFileName(number);
    if (!menuFileExists(files, name)) return name;
  }
  return std::nullopt;
}

}  // namespace menue
