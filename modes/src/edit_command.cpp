// menue --edit: the copy lives in the user's private state directory, the
// editor is the one the environment names, the check is the checker's, and
// the install passes the recording file system and the edits' lock like
// every edit of the menu.
#include "modes/edit_command.h"

#include "menufile/distrust_text.h"
#include "menufile/menu_check.h"
#include "menufile/menu_file_read.h"
#include "menufile/menu_load.h"
#include "menufile/menu_text_builders.h"
#include "modes/menu_check_command.h"
#include "modes/menu_path.h"
#include "modes/state_directory.h"
#include "platform/code_pages.h"
#include "platform/utf8.h"
#include "session/environment_lookup.h"
#include "session/menu_trust.h"
#include "session/path_text.h"

namespace menue {

namespace {

constexpr ExitStatus Declined = ExitStatus::Refused;
constexpr ExitStatus Unusable = ExitStatus::Unusable;

std::string editorOf(CommandServices::Services& services) {
  const std::vector<std::string> entries = services.environment.entries();
  const PathRules& rules = services.rules;
  for (const std::string_view name : {"VISUAL", "EDITOR"}) {
    const auto editor = environmentValue(entries, {name}, rules.environmentIgnoresCase);
    if (editor && !editor->empty()) return *editor;
  }
  if (!rules.systemEditor.empty() && services.files.isPlainFile(rules.systemEditor)) {
    return rules.systemEditor;
  }
  return rules.fallbackEditor;
}

// What a MenuFile created by --edit starts with: what "Menü++" writes,
// in the encoding the system's editors read.
std::string templateText(const PathRules& rules) {
  const bool utf8 = rules.createdMenusInUtf8;
  const auto typed = [utf8](std::string_view text) {
    return utf8 ? utf8Of(text, Windows1252) : std::string(text);
  };
  return newMenuFileText(typed("Neues Men\xFC"), typed("Neuer Men\xFCpunkt"), '1', "'\r\n", utf8);
}

enum class Choice { EditAgain, Install, Discard };

Choice askAfterErrors(StandardInput& in, StandardStream& out) {
  for (;;) {
    out.writeText("(b)earbeiten, trotzdem (i)nstallieren oder (v)erwerfen? ");
    std::string answer;
    if (!in.readLine(answer)) return Choice::Discard;
    const char key = answer.empty() ? '\0' : static_cast<char>(answer[0] | 0x20);
    if (key == 'b') return Choice::EditAgain;
    if (key == 'i') return Choice::Install;
    if (key == 'v') return Choice::Discard;
  }
}

class CopyEdit {
 public:
  CopyEdit(CommandServices::Services& services, EditRecording& recording, StandardInput& in,
           StandardStream& out, StandardStream& err)
      : services_(services), recording_(recording), in_(in), out_(out), err_(err) {}

  ExitStatus run(const std::string& path) {
    FileSystem& files = services_.files;
    if (const PlatformCode failure = enterMenuFile(files, services_.rules, path, target_);
        failure != code::Success) {
      return unusable(target_.shown, failure);
    }
    // Trust is asked of the file read, not of the name looked at before:
    // a file swapped in between would otherwise pass as the user's.
    MenuFileBytes bytes = readMenuBytes(files, target_.name);
    const PlatformCode read = bytes.failure;
    if (read == code::Success && bytes.trust != FileTrust::Trusted) {
      writeErrorLine(err_, target_.shown, untrustedMenuText(bytes.trust) + ": nicht ge\xE4ndert");
      return Unusable;
    }
    if (read == code::Success && !bytes.whole) {
      writeErrorLine(err_, target_.shown, TooLargeToChange);
      return Unusable;
    }
    if (read == code::Success) {
      original_ = std::move(bytes.text);
    } else if (read != code::FileNotFound) {
      return unusable(target_.shown, read);
    }
    const std::string start = original_ ? *original_ : templateText(services_.rules);
    if (const auto status = makeCopy(start)) return *status;
    std::string edited = start;
    for (;;) {
      if (const auto status = edit(edited)) return *status;
      if (edited == start) return finish("Nichts ge\xE4ndert.\n", ExitStatus::Done);
      const MenuCheck check = checkMenuText(edited, menuCheckRules());
      bool errors = false;
      for (const MenuFinding& finding : check.findings) {
        writeFinding(out_, target_.shown, finding);
        errors = errors || finding.severity == Severity::Error;
      }
      if (!errors) break;
      const Choice choice = askAfterErrors(in_, out_);
      if (choice == Choice::Install) break;
      if (choice == Choice::Discard) return finish("Verworfen, nichts ge\xE4ndert.\n", Declined);
    }
    return install(edited);
  }

 private:
  // `shown` made visible already.
  ExitStatus unusable(const std::string& shown, PlatformCode failure) {
    writeErrorLine(err_, shown, pathFailureText(failure));
    return Unusable;
  }

  // The copy made, or the exit status.
  std::optional<ExitStatus> makeCopy(const std::string& text) {
    const std::optional<std::string> usable =
        usableStateDirectory(services_.files, services_.environment, services_.rules, err_);
    if (!usable) return Unusable;
    const std::string& directory = *usable;
    const WallTime now = services_.clock.now();
    for (int attempt = 0; attempt < 10; ++attempt) {
      copy_ = joinPath(directory,
                       "bearbeiten-" + std::to_string(now.seconds) + "-" + std::to_string(attempt) +
                           target_.name,
                       services_.rules);
      const PlatformCode created = services_.files.createNewFile(copy_, text);
      if (created == code::Success) return std::nullopt;
      if (created != code::FileExists && created != code::AlreadyExists) {
        writeErrorLine(err_, visiblePath(copy_, services_.rules), writeFailureText(created));
        return Unusable;
      }
    }
    writeErrorLine(err_, visiblePath(copy_, services_.rules), writeFailureText(code::FileExists));
    return Unusable;
  }

  // Runs the editor on the copy and reads it back into `edited`; nothing to
  // go on, else the exit status.
  std::optional<ExitStatus> edit(std::string& edited) {
    const std::string command = editorOf(services_);
    if (const PlatformCode failure = services_.processes.runOnPath(command, copy_);
        failure != code::Success) {
      writeErrorLine(err_, visiblePath(command, services_.rules),
                     "nicht gestartet: " + pathFailureText(failure));
      return finish({}, Unusable);
    }
    if (const int status = services_.processes.lastExitStatus(); status != 0) {
      writeErrorLine(
          err_, target_.shown,
          "der Editor endete mit Status " + std::to_string(status) + ": nichts ge\xE4ndert");
      return finish({}, Declined);
    }
    // The copy as read is checked, not its name: only a file that no one
    // but the user (or root) can have written is installed.
    FileStart copy;
    if (const PlatformCode failure = services_.files.readFileStart(copy_, MaxMenuFileBytes, copy);
        failure != code::Success) {
      return unusable(visiblePath(copy_, services_.rules), failure);
    }
    if (copy.trust != FileTrust::Trusted) {
      writeErrorLine(err_, visiblePath(copy_, services_.rules),
                     "Kopie " + std::string(distrustText(copy.trust)) + ": nicht installiert");
      return Unusable;
    }
    edited = std::move(copy.text);
    if (!copy.whole) {
      writeErrorLine(err_, visiblePath(copy_, services_.rules), TooLargeToChange);
      return Declined;
    }
    return std::nullopt;
  }

  ExitStatus install(const std::string& edited) {
    RecordedFiles& recorded = recording_.files();
    recorded.causeFrom(Cause);
    const PlatformCode result =
        recorded.replaceFile(target_.name, FileSystem::SeenText(original_), edited);
    if (result == code::FileInvalid) {
      writeErrorLine(err_, target_.shown,
                     "Men\xFC"
                     "datei wurde inzwischen ge\xE4ndert: nicht installiert");
      err_.writeText("Die Kopie bleibt: ");
      err_.writeBytes(visiblePath(copy_, services_.rules) + "\n");
      return Declined;
    }
    if (result != code::Success) {
      writeErrorLine(err_, target_.shown, writeFailureText(result));
      err_.writeText("Die Kopie bleibt: ");
      err_.writeBytes(visiblePath(copy_, services_.rules) + "\n");
      return Unusable;
    }
    return finish("Installiert.\n", ExitStatus::Done);
  }

  ExitStatus finish(std::string_view message, ExitStatus status) {
    services_.files.deleteFile(copy_);
    if (!message.empty()) out_.writeText(message);
    return status;
  }

  // What the history names the change by.
  inline static const std::string Cause = "--edit";

  CommandServices::Services& services_;
  EditRecording& recording_;
  StandardInput& in_;
  StandardStream& out_;
  StandardStream& err_;
  MenuFileTarget target_;
  std::optional<std::string> original_;
  std::string copy_;
};

}  // namespace

ExitStatus runEdit(CommandServices::Services& services, EditRecording& recording,
                   const std::string& path, StandardInput& in, StandardStream& out,
                   StandardStream& err) {
  return CopyEdit(services, recording, in, out, err).run(path);
}

}  // namespace menue
