// The front end of --check: the walk through files, directories and (with
// -r) trees, and the report in the form editors read: FILE:LINE: message.
// The checks themselves are the MenuFile library's (menu_check.h,
// menu_set_check.h), so the report says what the menu does.
#include "session/menu_check_command.h"

#include <algorithm>

#include "menufile/menu_load.h"
#include "menufile/menu_set.h"
#include "menufile/menu_set_check.h"
#include "session/path_text.h"

namespace menue {

namespace {

std::string counted(int count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

class MenuChecker {
 public:
  MenuChecker(FileSystem& files, const PathRules& rules, bool recursive, StandardStream& out,
              StandardStream& err)
      : files_(files), rules_(rules), recursive_(recursive), out_(out), err_(err) {}

  int status() const { return status_; }

  // A directory is entered and its MenuFiles checked; anything else is read
  // as one MenuFile. An empty path is the current directory.
  void checkPath(const std::string& path) {
    std::string start;
    if (const PlatformCode failure = files_.currentDirectory(start); failure != code::Success) {
      unreadable(path.empty() ? "." : path, failure);
      return;
    }
    if (path.empty() || files_.changeDirectory(path) == code::Success) {
      checkDirectory(path, true);
      files_.changeDirectory(start);
      return;
    }
    checkFile(path, path, {}, 0);
  }

 private:
  std::string shownIn(const std::string& directory, std::string_view name) const {
    return directory.empty() ? std::string(name) : joinPath(directory, name, rules_);
  }

  void checkDirectory(const std::string& shown, bool named) {
    std::vector<std::string> names = files_.findPlainFiles(std::string(FirstMenuName));
    for (std::string& name : files_.findPlainFiles(std::string(NumberedMenuPattern))) {
      names.push_back(std::move(name));
    }
    const MenuSetCheck set = checkMenuSet(names);
    if (names.empty() && named) {
      out_.writeBytes(shown.empty() ? "." : shown);
      out_.writeText(
          ": keine Men\xFC"
          "datei\n");
    }
    for (const std::string& name : names) {
      std::vector<MenuFinding> about;
      for (const MenuSetFinding& finding : set.findings) {
        if (finding.name == name) about.push_back(finding.finding);
      }
      checkFile(shownIn(shown, name), name, std::move(about), set.menus);
    }
    if (recursive_) checkSubdirectories(shown);
  }

  void checkSubdirectories(const std::string& shown) {
    std::string here;
    if (files_.currentDirectory(here) != code::Success) return;
    for (const std::string& name : files_.findDirectories()) {
      if (const PlatformCode failure = files_.changeDirectory(name); failure != code::Success) {
        unreadable(shownIn(shown, name), failure);
        continue;
      }
      checkDirectory(shownIn(shown, name), false);
      files_.changeDirectory(here);
    }
  }

  // `menus`: the size of the MenuSet the file belongs to; 0 for a file
  // named on its own.
  void checkFile(const std::string& shown, const std::string& path,
                 std::vector<MenuFinding> findings, int menus) {
    // What the menu would read of it: a file of any size is checked in
    // the same time and memory.
    FileStart start;
    if (const PlatformCode failure = files_.readFileStart(path, MaxMenuFileBytes, start);
        failure != code::Success) {
      unreadable(shown, failure);
      return;
    }
    const MenuCheck check = checkMenuText(start.text);
    for (MenuFinding& finding : trustFindings(start.trust)) findings.push_back(finding);
    findings.insert(findings.end(), check.findings.begin(), check.findings.end());
    std::stable_sort(findings.begin(), findings.end(),
                     [](const MenuFinding& a, const MenuFinding& b) { return a.line < b.line; });
    for (const MenuFinding& finding : findings) {
      out_.writeBytes(shown + ":" + std::to_string(finding.line) + ": ");
      out_.writeText(finding.message);
      out_.writeBytes("\n");
    }
    std::string summary = check.loads ? counted(check.items, "Men\xFCpunkt", "Men\xFCpunkte")
                                      : std::string(
                                            "l\xE4"
                                            "dt nicht");
    if (menus > 0) summary += ", " + counted(menus, "Men\xFC", "Men\xFCs") + " im Verzeichnis";
    summary +=
        findings.empty() ? ", kein Fehler" : ", " + std::to_string(findings.size()) + " Fehler";
    out_.writeBytes(shown + ": ");
    out_.writeText(summary + "\n");
    if (!findings.empty()) status_ = std::max(status_, checkstatus::Problems);
  }

  void unreadable(const std::string& shown, PlatformCode failure) {
    writeErrorLine(err_, shown, pathFailureText(failure));
    status_ = checkstatus::Unreadable;
  }

  FileSystem& files_;
  const PathRules& rules_;
  bool recursive_;
  StandardStream& out_;
  StandardStream& err_;
  int status_ = checkstatus::Sound;
};

}  // namespace

int runMenuCheck(FileSystem& files, const PathRules& rules, const std::vector<std::string>& paths,
                 bool recursive, StandardStream& out, StandardStream& err) {
  MenuChecker checker(files, rules, recursive, out, err);
  if (paths.empty()) checker.checkPath({});
  for (const std::string& path : paths) checker.checkPath(path);
  return checker.status();
}

}  // namespace menue
