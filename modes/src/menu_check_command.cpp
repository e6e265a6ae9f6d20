// The front end of --check: the walk through files, directories and (with
// -r) trees, and the report in the form editors read:
// FILE:LINE:COLUMN: Fehler: message. The checks themselves are the MenuFile
// library's (menu_check.h, menu_set_check.h) with the screen's room from the
// menu's layout, so the report says what the menu does. A tree is walked by
// a DirectoryCursor, so its depth costs nothing but the entries.
#include "modes/menu_check_command.h"

#include <algorithm>

#include "console/menu_screen.h"
#include "menufile/menu_load.h"
#include "menufile/menu_set.h"
#include "menufile/menu_set_check.h"
#include "modes/counted_text.h"
#include "modes/menu_path.h"
#include "session/path_text.h"
#include "session/run_item.h"

namespace menue {

namespace {

// Every name the menu's searches could mean: "-menue-", the numbered ones,
// and the near misses the checker names ("-menue1-", "-menue100-").
constexpr std::string_view MenuFileNames = "-menue*-";
// A path longer than this is shown by its tail: no tool could open it
// whole anyway, and a line of the report stays readable.
constexpr std::size_t LongestShownPath = 4096;

std::string_view severityName(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "Fehler";
    case Severity::Warning:
      return "Warnung";
    case Severity::Note:
      return "Hinweis";
  }
  return "Fehler";
}

class MenuChecker {
 public:
  MenuChecker(FileSystem& files, const PathRules& rules, bool recursive, StandardStream& out,
              StandardStream& err, AllowedMenus* allowed)
      : files_(files),
        rules_(rules),
        allowed_(allowed),
        checkRules_(menuCheckRules()),
        recursive_(recursive),
        out_(out),
        err_(err) {}

  ExitStatus status() const { return status_; }

  // A directory is walked and its MenuFiles checked; anything else is read
  // as one MenuFile. An empty path is the current directory.
  void checkPath(const std::string& path) {
    parts_.clear();
    if (!path.empty()) parts_.push_back(path);
    std::unique_ptr<DirectoryCursor> cursor;
    if (files_.openDirectoryCursor(path, cursor) == code::Success) {
      walk(*cursor);
      return;
    }
    parts_.clear();
    FileStart start;
    const PlatformCode read = files_.readFileStart(path, MaxMenuFileBytes, start);
    checkFile(shownPath(path), read, start, {}, 0, path);
  }

 private:
  // `name` under the first `outer` directories of the walk, made visible;
  // by its tail behind ".../" when it is too long to show whole.
  std::string shownPath(std::string_view name, std::size_t outer) const {
    std::vector<std::string> shown{visiblePath(name, rules_)};
    std::size_t length = shown.back().size();
    bool cut = false;
    for (std::size_t i = outer; i-- > 0;) {
      std::string part = visiblePath(parts_[i], rules_);
      if (length + part.size() + 1 > LongestShownPath) {
        cut = true;
        break;
      }
      length += part.size() + 1;
      shown.push_back(std::move(part));
    }
    std::string path = cut ? "..." : std::string();
    for (std::size_t i = shown.size(); i-- > 0;) {
      path = path.empty() ? shown[i] : joinPath(std::move(path), shown[i], rules_);
    }
    return path;
  }

  // A name in the directory the walk stands in, and that directory.
  std::string shownPath(std::string_view name) const { return shownPath(name, parts_.size()); }
  std::string shownDirectory() const {
    return parts_.empty() ? "." : shownPath(parts_.back(), parts_.size() - 1);
  }

  struct Level {
    std::vector<std::string> directories;
    std::size_t next = 0;
  };

  // The directory first, then (with -r) each subdirectory before the next
  // sibling, with one cursor stepping in and out.
  void walk(DirectoryCursor& cursor) {
    checkDirectory(cursor, true);
    if (!recursive_) return;
    std::vector<Level> levels;
    levels.push_back({cursor.findDirectories()});
    while (!levels.empty()) {
      Level& level = levels.back();
      if (level.next == level.directories.size()) {
        levels.pop_back();
        if (levels.empty()) return;
        if (const PlatformCode failure = cursor.leave(); failure != code::Success) {
          unreadable(joinPath(shownDirectory(), "..", rules_), failure);
          return;
        }
        parts_.pop_back();
        continue;
      }
      const std::string name = level.directories[level.next++];
      if (const PlatformCode failure = cursor.enter(name); failure != code::Success) {
        unreadable(shownPath(name), failure);
        continue;
      }
      parts_.push_back(name);
      checkDirectory(cursor, false);
      levels.push_back({cursor.findDirectories()});
    }
  }

  void checkDirectory(DirectoryCursor& cursor, bool named) {
    const std::vector<std::string> names = cursor.findPlainFiles(std::string(MenuFileNames));
    const MenuSetCheck set = checkMenuSet(names);
    if (names.empty() && named) {
      out_.writeBytes(shownDirectory());
      out_.writeText(
          ": keine Men\xFC"
          "datei\n");
    }
    for (const std::string& name : names) {
      std::vector<MenuFinding> about;
      for (const MenuSetFinding& finding : set.findings) {
        if (finding.name == name) about.push_back(finding.finding);
      }
      FileStart start;
      const PlatformCode read = cursor.readFileStart(name, MaxMenuFileBytes, start);
      checkFile(shownPath(name), read, start, std::move(about), set.menus, rawPath(name));
    }
  }

  // What the menu would read of a file (any size is checked in the same
  // time and memory). `menus`: the size of the MenuSet the file belongs
  // to; 0 for a file named on its own.
  // `path`: the file as the process names it, for the allow list.
  void checkFile(const std::string& shown, PlatformCode read, const FileStart& start,
                 std::vector<MenuFinding> findings, int menus, const std::string& path) {
    if (read != code::Success) {
      unreadable(shown, read);
      return;
    }
    const MenuCheck check = checkMenuText(start.text, checkRules_);
    for (MenuFinding& finding : trustFindings(start.trust, allows(path, start))) {
      findings.push_back(finding);
    }
    findings.insert(findings.end(), check.findings.begin(), check.findings.end());
    std::stable_sort(findings.begin(), findings.end(),
                     [](const MenuFinding& a, const MenuFinding& b) { return a.line < b.line; });
    int counts[3] = {0, 0, 0};
    for (const MenuFinding& finding : findings) {
      ++counts[static_cast<int>(finding.severity)];
      writeFinding(out_, shown, finding);
    }
    std::string summary = check.loads ? itemCountText(check.items)
                                      : std::string(
                                            "l\xE4"
                                            "dt nicht");
    if (menus > 0) summary += ", " + countedText(menus, "Men\xFC", "Men\xFCs") + " im Verzeichnis";
    summary += counts[0] == 0 ? ", kein Fehler" : ", " + std::to_string(counts[0]) + " Fehler";
    if (counts[1] > 0) summary += ", " + countedText(counts[1], "Warnung", "Warnungen");
    if (counts[2] > 0) summary += ", " + countedText(counts[2], "Hinweis", "Hinweise");
    out_.writeBytes(shown + ": ");
    out_.writeText(summary + "\n");
    if (counts[0] > 0) status_ = std::max(status_, ExitStatus::Refused);
  }

  // `name` in the directory the walk stands in, as the process names it.
  std::string rawPath(const std::string& name) const {
    std::string path;
    for (const std::string& part : parts_) {
      path = path.empty() ? part : joinPath(std::move(path), part, rules_);
    }
    return path.empty() ? name : joinPath(std::move(path), name, rules_);
  }

  // Whether the user allowed the very bytes read of a foreign file. The
  // list knows a file by the full path --allow found it under, so its
  // directory is entered as --allow enters it, and left again.
  bool allows(const std::string& path, const FileStart& start) {
    if (allowed_ == nullptr || start.trust == FileTrust::Trusted || !start.whole) return false;
    std::string here;
    if (files_.currentDirectory(here) != code::Success) return false;
    MenuFileTarget target;
    const bool found = enterMenuFile(files_, rules_, path, target) == code::Success;
    const bool allowed = found && allowed_->allows(target.fullPath, start.text);
    // Without the way back the relative paths still to come would mislead.
    if (files_.changeDirectory(here) != code::Success) allowed_ = nullptr;
    return allowed;
  }

  void unreadable(const std::string& shown, PlatformCode failure) {
    writeErrorLine(err_, shown, pathFailureText(failure));
    status_ = ExitStatus::Unusable;
  }

  FileSystem& files_;
  const PathRules& rules_;
  AllowedMenus* allowed_;
  const CheckRules checkRules_;
  bool recursive_;
  StandardStream& out_;
  StandardStream& err_;
  // The path named and the directories the walk entered below it.
  std::vector<std::string> parts_;
  ExitStatus status_ = ExitStatus::Done;
};

}  // namespace

void writeFinding(StandardStream& out, const std::string& shown, const MenuFinding& finding) {
  std::string place = shown + ":" + std::to_string(finding.line) + ":";
  if (finding.column > 0) place += std::to_string(finding.column) + ":";
  out.writeBytes(place + " ");
  out.writeText(std::string(severityName(finding.severity)) + ": " + finding.message + "\n");
}

CheckRules menuCheckRules() {
  CheckRules rules;
  rules.longestDisplayText = longestFramedText();
  rules.longestHeader = longestHeader();
  rules.directoryChange = itemDirectoryChange;
  return rules;
}

ExitStatus runMenuCheck(FileSystem& files, const PathRules& rules,
                        const std::vector<std::string>& paths, bool recursive, StandardStream& out,
                        StandardStream& err, AllowedMenus* allowed) {
  MenuChecker checker(files, rules, recursive, out, err, allowed);
  if (paths.empty()) checker.checkPath({});
  for (const std::string& path : paths) checker.checkPath(path);
  return checker.status();
}

}  // namespace menue
