// The encoding of a MenuFile's text: deciding it, reading the file's texts
// as characters, and storing typed text only when every character reads
// back as typed.
#include "menufile/menu_encoding.h"

#include "platform/code_pages.h"
#include "platform/letters.h"
#include "platform/utf8.h"

namespace menue {

namespace {

std::string refusalOf(char32_t character, TextEncoding encoding) {
  std::string message = utf8Of(" Zeichen \"", Windows1252);
  appendUtf8(message, character);
  message += utf8Of(
      "\" passt nicht in diese Men\xFC"
      "datei (",
      Windows1252);
  message += encodingName(encoding);
  message += utf8Of("): nichts ge\xE4ndert.", Windows1252);
  return message;
}

StoredText refused(char32_t character, TextEncoding encoding) {
  return {false, {}, character, refusalOf(character, encoding)};
}

}  // namespace

TextEncoding encodingOf(const MenuModel& model) {
  if (model.utf8) return TextEncoding::Utf8;
  bool ansi = false;
  for (const char c : model.rawText) {
    const auto byte = static_cast<unsigned char>(c);
    const char letter = germanLetterOf(byte);
    if (!letter) continue;
    if (static_cast<unsigned char>(letter) == byte) {
      // Only 0xE1 (á) and 0x9A (š) are also letters of Windows-1252, and
      // they are taken as the German letters: they prove nothing.
      if (byte != 0xE1 && byte != 0x9A) return TextEncoding::Oem850;
    } else {
      ansi = true;
    }
  }
  return ansi ? TextEncoding::Windows1252 : TextEncoding::Oem850;
}

std::string menuTextOf(std::string_view bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return decodeText(bytes, encoding);
  return singleByteMenuText(bytes, encoding == TextEncoding::Oem850 ? CodePage850 : Windows1252);
}

std::string singleByteMenuText(std::string_view bytes, const UpperHalf& otherBytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else if (const char32_t letter = germanCharacterOf(byte)) {
      appendUtf8(text, letter);
    } else {
      appendUtf8(text, otherBytes[byte - 0x80u]);
    }
  }
  return text;
}

StoredText storedText(std::string_view typed, TextEncoding encoding) {
  EncodeResult encoded = encodeText(typed, encoding);
  if (!encoded.ok) return refused(encoded.unencodable, encoding);
  if (encoding == TextEncoding::Utf8) return {true, std::move(encoded.bytes), 0, {}};
  // A byte that reads as a German letter it does not stand for here (õ of
  // code page 850 is the ANSI ä) would come back as another character.
  std::size_t at = 0;
  for (const char c : encoded.bytes) {
    const Utf8Character character = readUtf8(typed, at);
    const char32_t letter = germanCharacterOf(static_cast<unsigned char>(c));
    if (letter != 0 && letter != character.character) return refused(character.character, encoding);
    at += character.length;
  }
  return {true, std::move(encoded.bytes), 0, {}};
}

StoredText storedText(std::string_view typed, const MenuModel& model) {
  return storedText(typed, encodingOf(model));
}

}  // namespace menue
