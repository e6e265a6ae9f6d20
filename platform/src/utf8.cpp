// UTF-8 and WTF-8: the encoder, the strict reader, single-byte code pages
// to UTF-8, and UTF-16 with its surrogate pairs.
#include "platform/utf8.h"

namespace menue {

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

}  // namespace

std::size_t utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

Utf8Character readUtf8(std::string_view text, std::size_t at, bool surrogates) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = utf8SequenceLength(lead);
  if (length == 1) return {lead, 1, true};
  if (length == 0) return {};
  // The lead's own bits: 5, 4 or 3 of them.
  char32_t character = lead & (0x7Fu >> length);
  if (text.size() - at < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return {};
    character = (character << 6) | (next & 0x3Fu);
  }
  constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (character < Smallest[length] || character > 0x10FFFF) return {};
  if (isSurrogate(character) && !surrogates) return {};
  return {character, length, true};
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string utf8Of(std::string_view text, const UpperHalf& upperHalf) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    appendUtf8(out, byte < 0x80 ? char32_t{byte} : char32_t{upperHalf[byte - 0x80u]});
  }
  return out;
}

bool isUtf8Text(std::string_view text) {
  bool beyondAscii = false;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character read = readUtf8(text, at);
    if (!read.valid) return false;
    beyondAscii = beyondAscii || read.length > 1;
    at += read.length;
  }
  return beyondAscii;
}

std::size_t utf8Length(std::string_view text) {
  std::size_t characters = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
  }
  return characters;
}

std::size_t utf8CutWithin(std::string_view text, std::size_t bytes) {
  if (bytes >= text.size()) return text.size();
  // Back over the continuation bytes of the character the cut would split.
  while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80) --bytes;
  return bytes;
}

void dropLastUtf8Character(std::string& text) {
  if (text.empty()) return;
  std::size_t start = text.size() - 1;
  const std::size_t last = start;
  while (start > 0 && last - start < 3 &&
         (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
    --start;
  }
  // A run of continuation bytes no lead byte starts is one byte each.
  const Utf8Character read = readUtf8(text, start, true);
  text.resize(read.valid && start + read.length == text.size() ? start : last);
}

std::u16string utf16Of(std::string_view wtf8) {
  std::u16string out;
  out.reserve(wtf8.size());
  for (std::size_t at = 0; at < wtf8.size();) {
    const Utf8Character read = readUtf8(wtf8, at, true);
    const char32_t c = read.valid ? read.character : Replacement;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    at += read.length;
  }
  return out;
}

std::string wtf8Of(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    const bool pairs = c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() &&
                       utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
    if (pairs) c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    appendUtf8(out, c);
  }
  return out;
}

}  // namespace menue
