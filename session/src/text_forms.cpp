// The forms a text takes on its way from the user or a MenuFile to the
// system, by the German-letter rule and the platform's text rules.
#include "session/text_forms.h"

#include "platform/system_text.h"
#include "platform/text_codec.h"
#include "platform/utf8.h"
#include "session/text_refusal.h"

namespace menue {

std::string menuCommandLine(std::string_view bytes, bool utf8, const PathRules& rules) {
  if (utf8) return std::string(bytes);
  std::string line;
  line.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      line += c;
    } else if (const char letter = germanLetterOf(byte)) {
      line += systemFormOf(std::string_view(&letter, 1));
    } else {
      appendUtf8(line, rules.plainCommandBytes[byte - 0x80u]);
    }
  }
  return line;
}

ScriptText menuScriptText(std::string_view bytes, bool utf8, const PathRules& rules) {
  if (!rules.scriptInConsoleCodePage) return {true, menuCommandLine(bytes, utf8, rules), 0};
  if (utf8) return typedScriptText(bytes, rules);
  std::string text(bytes);
  for (char& c : text) {
    if (const char letter = germanLetterOf(static_cast<unsigned char>(c))) c = letter;
  }
  return {true, std::move(text), 0};
}

ScriptText typedScriptText(std::string_view typed, const PathRules& rules) {
  if (!rules.scriptInConsoleCodePage) return {true, std::string(typed), 0};
  EncodeResult encoded = encodeText(typed, TextEncoding::Oem850);
  if (!encoded.ok) return {false, {}, encoded.unencodable};
  return {true, std::move(encoded.bytes), 0};
}

std::string scriptRefusal(char32_t refused) {
  std::string message(1, ' ');
  message += namedCharacter(refused);
  message += " kann die Befehlszeile (Codepage 850) nicht tragen: nichts ausgef\xC3\xBChrt.";
  return message;
}

}  // namespace menue
