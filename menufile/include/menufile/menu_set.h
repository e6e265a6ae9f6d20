// The MenuSet of a directory: the MenuFile names and numbers, and the view
// of the current directory's set that a pass works with: existence tests of
// one name, the numbered MenuFiles from one listing, the adoption of a
// numbered MenuFile for a missing current one, paging, and the first free
// name.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menufile/menu_model.h"
#include "platform/platform.h"

namespace menue {

inline constexpr std::string_view FirstMenuName = "-menue-";
// A MenuSet holds "-menue-" and the numbers 2 to 99.
inline constexpr int HighestMenuNumber = 99;
inline constexpr std::string_view NumberedMenuPattern = "-menue?\?-";  // "?\?" avoids a trigraph

std::string menuFileName(int number);
int menuNumberOf(std::string_view name);
// The MenuFile a directory shows, from whether "-menue-" is there and the
// listing of its numbered MenuFiles: "-menue-" where it is there or no
// numbered one is, else the first numbered one, which the menu adopts as
// "-menue-".
std::string menuFileShown(bool firstExists, const std::vector<std::string>& numbered);

// The set as the current directory holds it. A test of one name costs one
// look at that name; the numbered MenuFiles are listed once and the listing
// kept until invalidate(), which the owner calls whenever another program
// may have changed the directory (at every wait, pause and process start);
// the view's own moves and deletes drop it themselves. Who may have changed
// a file comes with the test of its name, at no further cost.
class MenuSetView {
 public:
  explicit MenuSetView(FileSystem& files) : files_(files) {}

  // Whether the current directory holds a plain file of this name.
  bool exists(const std::string& name);
  // The same test, telling for a plain file who may have changed it and
  // its stamp, where the platform reports one.
  std::optional<PlainFileLook> lookAt(const std::string& name);
  // Whether a plain file matching "-menue??-" exists.
  bool anyNumbered();
  // Moves the first numbered MenuFile to `name`. Returns the code of a
  // failed move (none when the file was gone by then); `adopted` tells
  // whether a file now stands under `name`.
  PlatformCode adopt(const std::string& name, bool& adopted);
  // Deletes a MenuFile of the set while it is still the text `shown` holds
  // (else code::FileInvalid).
  PlatformCode remove(const std::string& name, const MenuModel& shown);
  // The next existing MenuFile after `current` over one full cycle (the
  // current one last); "-menue-" when none exists.
  std::string next(std::string_view current);
  // The first MenuFile name not in use, or nothing when all 99 are taken.
  std::optional<std::string> firstFreeName();
  // Forgets the listing: the next question lists the directory again.
  void invalidate() { numbered_.reset(); }

 private:
  const std::vector<std::string>& numbered();
  // Whether MenuNumber n exists, n from 1 to 99.
  bool hasNumber(int number);

  FileSystem& files_;
  std::optional<std::vector<std::string>> numbered_;
};

}  // namespace menue
