// The menus the user allowed (menue --allow): a MenuFile's full path and a
// SHA-256 of its bytes, kept in the user's state directory. Such a menu is
// trusted for exactly those bytes, whoever owns it or may write it; any
// change makes it foreign again. One everyone may write is never allowed.
#pragma once

#include <string>
#include <string_view>

#include "menufile/menu_file_read.h"
#include "menufile/menu_model.h"
#include "platform/platform.h"

namespace menue {

class AllowedMenus {
 public:
  AllowedMenus(FileSystem& files, Environment& environment, PathRules rules)
      : files_(files), environment_(environment), rules_(std::move(rules)) {}

  // Whether `fullPath` was allowed holding exactly `bytes`. A state
  // directory that cannot be used allows nothing.
  bool allows(const std::string& fullPath, std::string_view bytes);
  // A loaded menu's trust with the list applied: Trusted (and `allowed`
  // set) for a menu of another owner or of a shared group allowed with the
  // very bytes the model holds, read whole.
  FileTrust trustOf(const std::string& fullPath, FileTrust trust, const MenuModel& model,
                    bool& allowed);

  // Records `fullPath` with the SHA-256 of `bytes`, in place of an earlier
  // entry of it; forgets it (`wasAllowed` tells whether it was there).
  PlatformCode allow(const std::string& fullPath, std::string_view bytes);
  PlatformCode deny(const std::string& fullPath, bool& wasAllowed);

  // trustOf for the MenuFile `name` of the current directory, as read.
  void apply(const std::string& name, MenuFileRead& menu);

  // The file the list is kept in; empty when the environment names none.
  std::string storePath() const;

 private:
  // The list's text, none when there is no list; false when it cannot be
  // trusted or read.
  bool read(std::optional<std::string>& text);
  PlatformCode write(const std::optional<std::string>& seen, const std::string& text);

  FileSystem& files_;
  Environment& environment_;
  PathRules rules_;
};

// A path as one line of the list holds it: '%', control bytes and blanks
// as %XX, so any path is one word and the line is found again.
std::string allowListPathOf(std::string_view path);

}  // namespace menue
