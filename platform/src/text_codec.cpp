// The MenuFile codecs: code page 850 and Windows-1252 through their tables,
// UTF-8 checked character by character.
#include "platform/text_codec.h"

#include "platform/code_pages.h"
#include "platform/utf8.h"

namespace menue {

namespace {

constexpr char32_t Replacement = 0xFFFD;

const UpperHalf& upperHalfOf(TextEncoding encoding) {
  return encoding == TextEncoding::Oem850 ? CodePage850 : Windows1252;
}

}  // namespace

std::string decodeText(std::string_view bytes, TextEncoding encoding) {
  if (encoding != TextEncoding::Utf8) return utf8Of(bytes, upperHalfOf(encoding));
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const Utf8Character read = readUtf8(bytes, at);
    if (read.valid) {
      text.append(bytes.substr(at, read.length));
      at += read.length;
    } else {
      appendUtf8(text, Replacement);
      ++at;
    }
  }
  return text;
}

EncodeResult encodeText(std::string_view utf8, TextEncoding encoding) {
  EncodeResult result;
  result.bytes.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const Utf8Character read = readUtf8(utf8, at);
    const int byte = !read.valid ? -1
                     : encoding == TextEncoding::Utf8
                         ? 0
                         : byteIn(upperHalfOf(encoding), read.character);
    if (byte < 0) {
      result = {false, {}, read.valid ? read.character : Replacement, at};
      return result;
    }
    if (encoding == TextEncoding::Utf8) {
      result.bytes.append(utf8.substr(at, read.length));
    } else {
      result.bytes += static_cast<char>(byte);
    }
    at += read.length;
  }
  return result;
}

std::string_view encodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Oem850:
      return "Codepage 850";
    case TextEncoding::Windows1252:
      return "Windows-1252";
    case TextEncoding::Utf8:
      break;
  }
  return "UTF-8";
}

}  // namespace menue
