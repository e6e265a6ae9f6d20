// menue --list: each item's number, display text, status in words and
// command lines as the menu would run them, from the menu's own loader and
// the runner's own reading of an item; it reads and never writes.
#include "modes/list_command.h"

#include "menufile/menu_file_read.h"
#include "modes/load_failure.h"
#include "modes/menu_path.h"
#include "modes/run_command.h"
#include "modes/shown_text.h"
#include "session/allowed_menus.h"
#include "session/item_command.h"
#include "session/menu_trust.h"
#include "session/path_text.h"
#include "session/text_forms.h"

namespace menue {

namespace {

std::string statusWords(int status) {
  switch (status) {
    case 1:
      return "wartet";
    case 2:
      return "daneben";
    case 3:
      return "beendet";
    default:
      return "Status " + std::to_string(status) + " ung\xFCltig: f\xFChrt nichts aus";
  }
}

std::string itemNote(const ItemCommand& item, bool runnable) {
  std::string note;
  switch (item.kind) {
    case ItemCommand::Kind::Cut:
      note = "l\xE4nger als 1 MB: nicht ausgef\xFChrt";
      break;
    case ItemCommand::Kind::Directory:
      note = "wechselt das Verzeichnis";
      break;
    case ItemCommand::Kind::Placeholder:
      note = "f\xFChrt nichts aus";
      break;
    case ItemCommand::Kind::Direct:
      note = statusWords(item.status);
      // Started as a program unless the note says the shell reads it.
      if (item.throughShell)
        note +=
            ", \xFC"
            "ber /bin/sh";
      break;
    case ItemCommand::Kind::Script:
      note = statusWords(item.status);
      if (runnableStatus(item.status))
        note +=
            ", \xFC"
            "ber menue.cmd";
      break;
  }
  if (!runnable) note += ", nicht ausf\xFChrbar";
  return note;
}

class MenuLister {
 public:
  MenuLister(const PathRules& rules, StandardStream& out) : rules_(rules), out_(out) {}

  void list(const std::string& shown, const MenuFileRead& menu, bool first) {
    const MenuModel& model = menu.model;
    if (!first) out_.writeBytes("\n");
    out_.writeBytes(shown);
    if (!model.header.empty()) {
      out_.writeBytes(": ");
      out_.writeBytes(shownText(menuCommandLine(model.header, model.utf8, rules_)));
    }
    out_.writeBytes("\n");
    const bool trusted = menu.trust == FileTrust::Trusted;
    if (!trusted) {
      out_.writeText("  (" + std::string(untrustedMenuText(menu.trust)) +
                     ": nichts wird ausgef\xFChrt; freigeben: menue --allow)\n");
    } else if (menu.allowed) {
      out_.writeText("  (freigegeben)\n");
    }
    for (int n = 1; n <= model.items(); ++n) {
      const ItemCommand item = itemCommandOf(model, n, rules_);
      std::string number = n < 10 ? " " : "";
      number += std::to_string(n);
      number += "  ";
      out_.writeBytes(number);
      out_.writeBytes(shownText(menuCommandLine(model.displayText(n), model.utf8, rules_)));
      out_.writeText("  (" + itemNote(item, trusted) + ")\n");
      if (item.kind == ItemCommand::Kind::Cut) continue;
      for (const std::string& line : item.lines) {
        out_.writeBytes("      ");
        out_.writeBytes(shownText(line));
        out_.writeBytes("\n");
      }
    }
  }

 private:
  const PathRules& rules_;
  StandardStream& out_;
};

}  // namespace

void listMenu(const PathRules& rules, StandardStream& out, const std::string& shown,
              const MenuFileRead& menu) {
  MenuLister(rules, out).list(shown, menu, true);
}

ExitStatus runMenuList(FileSystem& files, const PathRules& rules, const std::string& path, bool all,
                       StandardStream& out, StandardStream& err, AllowedMenus* allowed) {
  MenuPath menuPath;
  if (const PlatformCode failure = enterMenuPath(files, rules, path, all, menuPath);
      failure != code::Success) {
    writeErrorLine(err, visiblePath(path, rules), pathFailureText(failure));
    return ExitStatus::Unusable;
  }
  MenuLister lister(rules, out);
  ExitStatus status = ExitStatus::Done;
  bool first = true;
  for (const std::string& name : menuPath.names) {
    const std::string shown = shownMenuFile(menuPath, name, rules);
    MenuFileRead menu = readMenuFile(files, name);
    if (allowed != nullptr) allowed->apply(name, menu);
    if (menu.failure == code::FileNotFound && menuPath.isDirectory) {
      writeErrorLine(err, visiblePath(path.empty() ? "." : path, rules),
                     "keine Men\xFC"
                     "datei");
      status = ExitStatus::Refused;
      continue;
    }
    if (menu.failure != code::Success) {
      writeErrorLine(err, shown, pathFailureText(menu.failure));
      status = ExitStatus::Unusable;
      continue;
    }
    if (!menu.model.loaded) {
      writeFirstError(err, shown, menu.model);
      if (status == ExitStatus::Done) status = ExitStatus::Refused;
      continue;
    }
    lister.list(shown, menu, first);
    first = false;
  }
  return status;
}

ExitStatus runItemList(FileSystem& files, const PathRules& rules, const std::string& directory,
                       StandardStream& out) {
  MenuPath menuPath;
  if (enterMenuPath(files, rules, directory, false, menuPath) != code::Success)
    return ExitStatus::Done;
  const MenuFileRead menu = readMenuFile(files, menuPath.names.front());
  if (menu.failure != code::Success || menu.trust != FileTrust::Trusted) return ExitStatus::Done;
  for (int n = 1; n <= menu.model.items(); ++n) {
    // Only what --run would run: a placeholder runs nothing, so is no choice.
    const ItemCommand item = itemCommandOf(menu.model, n, rules);
    if (item.kind == ItemCommand::Kind::Placeholder || runRefusal(item, rules)) continue;
    out.writeBytes(std::to_string(n) + "\t");
    out.writeBytes(shownText(menuCommandLine(menu.model.displayText(n), menu.model.utf8, rules)));
    out.writeBytes("\n");
  }
  return ExitStatus::Done;
}

}  // namespace menue
