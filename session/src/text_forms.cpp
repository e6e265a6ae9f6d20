// The forms a text takes on its way from the user or a MenuFile to the
// system, by the German-letter rule and the platform's text rules.
#include "session/text_forms.h"

#include "menufile/menu_encoding.h"
#include "platform/text_codec.h"
#include "session/text_refusal.h"

namespace menue {

std::string menuCommandLine(std::string_view bytes, bool utf8, const PathRules& rules) {
  return utf8 ? std::string(bytes) : singleByteMenuText(bytes, rules.plainCommandBytes);
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
