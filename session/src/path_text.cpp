// Paths as the program writes them: joined by the platform's separator,
// escaped where a byte would act on the terminal, the reason a path failed
// in the user's words rather than as a code, and the one form of an error
// line.
#include "session/path_text.h"

#include "platform/utf8.h"

namespace menue {

std::string joinPath(std::string directory, std::string_view name, const PathRules& rules) {
  const bool endsInSeparator =
      !directory.empty() && rules.separatorsAtEnd.find(directory.back()) != std::string_view::npos;
  if (!endsInSeparator) directory += rules.separator;
  directory += name;
  return directory;
}

namespace {

// The escape of one byte: a C escape where C has one, else three octal
// digits.
void appendEscaped(std::string& out, unsigned char byte) {
  constexpr std::string_view Letters = "abtnvfr";
  out += '\\';
  if (byte >= '\a' && byte <= '\r') {
    out += Letters[byte - '\a'];
    return;
  }
  out += static_cast<char>('0' + (byte >> 6));
  out += static_cast<char>('0' + ((byte >> 3) & 7));
  out += static_cast<char>('0' + (byte & 7));
}

}  // namespace

std::string visiblePath(std::string_view systemForm, const PathRules& rules) {
  std::string out;
  out.reserve(systemForm.size());
  std::size_t at = 0;
  while (at < systemForm.size()) {
    // Surrogates count as characters: a Windows name may hold them (WTF-8).
    const Utf8Character read = readUtf8(systemForm, at, true);
    const std::string_view bytes = systemForm.substr(at, read.length);
    at += read.length;
    const auto byte = static_cast<unsigned char>(bytes[0]);
    const bool control =
        read.valid ? read.character < 0x20 || (read.character >= 0x7F && read.character <= 0x9F)
                   : byte >= 0x80 && byte <= 0x9F;
    if (control) {
      for (const char c : bytes) appendEscaped(out, static_cast<unsigned char>(c));
    } else if (byte == '\\' && rules.separator != '\\') {
      out += "\\\\";
    } else {
      // A character, or a byte 0xA0-0xFF of a name in a single-byte code page.
      out += bytes;
    }
  }
  return out;
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
