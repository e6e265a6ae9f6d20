// The MenuSet of a directory: MenuFile names and numbers, and the view of
// the current directory's set with its one listing per question round.
#include "menufile/menu_set.h"

#include <algorithm>

#include "menufile/number_reader.h"

namespace menue {

namespace {

// The MenuNumber a listed "-menue??-" name stands for, or 0 for a name that
// no number of the set gives ("-menueAB-", "-menue01-").
int setNumberOf(std::string_view listed) {
  if (listed.size() != 9 || !isDigit(listed[6]) || !isDigit(listed[7])) return 0;
  const int number = (listed[6] - '0') * 10 + (listed[7] - '0');
  return number >= 2 ? number : 0;
}

}  // namespace

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

std::string menuFileShown(bool firstExists, const std::vector<std::string>& numbered) {
  if (firstExists || numbered.empty()) return std::string(FirstMenuName);
  return numbered.front();
}

const std::vector<std::string>& MenuSetView::numbered() {
  if (!numbered_) numbered_ = files_.findPlainFiles(std::string(NumberedMenuPattern));
  return *numbered_;
}

bool MenuSetView::hasNumber(int number) {
  if (number == 1) return exists(std::string(FirstMenuName));
  const auto& names = numbered();
  return std::any_of(names.begin(), names.end(),
                     [number](const std::string& name) { return setNumberOf(name) == number; });
}

bool MenuSetView::exists(const std::string& name) {
  return files_.isPlainFile(name);
}

std::optional<PlainFileLook> MenuSetView::lookAt(const std::string& name) {
  return files_.lookAtPlainFile(name);
}

bool MenuSetView::anyNumbered() {
  return !numbered().empty();
}

PlatformCode MenuSetView::adopt(const std::string& name, bool& adopted) {
  adopted = false;
  if (numbered().empty()) return code::Success;
  const std::string first = menuFileShown(false, numbered());
  invalidate();
  const PlatformCode failure = files_.moveFile(first, name);
  adopted = failure == code::Success;
  // One deleted by another program since the listing is not there to adopt.
  return failure == code::FileNotFound ? code::Success : failure;
}

PlatformCode MenuSetView::remove(const std::string& name, const MenuModel& shown) {
  invalidate();
  return files_.deleteSeenFile(name, shown.rawText, shown.whole);
}

std::string MenuSetView::next(std::string_view current) {
  int number = menuNumberOf(current);
  // One full cycle visits every number once, the current one last.
  for (int step = 0; step < HighestMenuNumber; ++step) {
    number = number >= HighestMenuNumber ? 1 : number + 1;
    if (hasNumber(number)) return menuFileName(number);
  }
  return std::string(FirstMenuName);
}

std::optional<std::string> MenuSetView::firstFreeName() {
  for (int number = 1; number <= HighestMenuNumber; ++number) {
    if (!hasNumber(number)) return menuFileName(number);
  }
  return std::nullopt;
}

}  // namespace menue
