// Paths as the program writes them: joined by the platform's separator,
// escaped where a byte would act on the terminal, the reason a path failed
// in the user's words rather than as a code, and the one form of an error
// line.
#include "session/path_text.h"

#include "session/terminal_escape.h"

namespace menue {

std::string joinPath(std::string directory, std::string_view name, const PathRules& rules) {
  const bool endsInSeparator =
      !directory.empty() && rules.separatorsAtEnd.find(directory.back()) != std::string_view::npos;
  if (!endsInSeparator) directory += rules.separator;
  directory += name;
  return directory;
}

std::string visiblePath(std::string_view systemForm, const PathRules& rules) {
  return escapeControls(systemForm,
                        rules.separator == '\\' ? EscapeStyle::SeparatedPath : EscapeStyle::Path);
}

std::string pathFailureText(PlatformCode failure) {
  switch (failure) {
    case code::FileNotFound:
    case code::PathNotFound:
      return "nicht gefunden";
    case code::AccessDenied:
      return "kein Zugriff";
    case code::LockViolation:
      return "gesperrt: ein anderes menue \xE4ndert sie gerade";
    default:
      return "nicht lesbar (Systemfehler " + std::to_string(failure) + ")";
  }
}

std::string writeFailureText(PlatformCode failure) {
  switch (failure) {
    case code::FileNotFound:
    case code::PathNotFound:
    case code::AccessDenied:
    case code::LockViolation:
      return pathFailureText(failure);
    case code::DiskFull:
    case code::HandleDiskFull:
      return "kein Platz mehr auf dem Datentr\xE4ger";
    case code::EasNotSupported:
      return "nicht schreibbar: Besitzer, Rechte oder Attribute lie\xDF"
             "en sich nicht erhalten";
    case code::BrokenPipe:
      return "der Empf\xE4nger hat die Pipe geschlossen";
    case code::InvalidHandle:
      return "nicht ge\xF6"
             "ffnet";
    default:
      return "nicht schreibbar (Systemfehler " + std::to_string(failure) + ")";
  }
}

void writeErrorLine(StandardStream& err, std::string_view subject, std::string_view text) {
  err.writeBytes("menue: ");
  err.writeBytes(subject);
  err.writeBytes(": ");
  err.writeText(text);
  err.writeBytes("\n");
}

}  // namespace menue
