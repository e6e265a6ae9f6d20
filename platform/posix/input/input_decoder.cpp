// Decodes terminal bytes: plain and control characters, UTF-8, CSI and SS3
// key sequences, Alt as an ESC prefix, a lone ESC by its quiet time, and
// mouse reports (SGR and the old X10 form), bracketed pastes.
#include "platform/posix/input/input_decoder.h"

#include <algorithm>
#include <vector>

#include "platform/code_pages.h"
#include "platform/posix/input/key_table.h"
#include "platform/utf8.h"

namespace menue {

namespace {

// Returned by the decode steps when the bytes end inside a sequence.
constexpr std::size_t Incomplete = static_cast<std::size_t>(-1);

constexpr char Esc = '\x1b';
constexpr std::uint8_t Enter = 13;
constexpr std::uint8_t Backspace = 8;
constexpr std::uint8_t Tab = 9;
constexpr std::uint8_t Escape = 27;

constexpr KeyFacts EnterKey{scan::Enter, 0x0D, 0};
constexpr KeyFacts BackspaceKey{scan::Backspace, 0x08, 0};
constexpr KeyFacts TabKey{scan::Tab, 0x09, 0};
constexpr KeyFacts EscapeKey{scan::Escape, 0x1B, 0};

// Control characters 28-31 and the key that, with Ctrl, types them.
constexpr std::string_view ControlPunctuation = "\\]6-";
// The characters of the keypad keys SS3 j..y in application mode.
constexpr std::string_view KeypadCharacters = "*+,-./0123456789";

constexpr int MaxParameter = 100000;

// The marks a terminal in bracketed paste mode puts around a paste.
constexpr std::string_view PasteStart = "\x1b[200~";
constexpr std::string_view PasteEnd = "\x1b[201~";
constexpr int PasteStartNumber = 200;
// The shortest start of a paste mark that a flush keeps: ESC and ESC [
// alone may as well be keys typed ahead.
constexpr std::size_t PasteStartKept = 3;

// How many bytes at the end of `bytes` could begin `mark`.
std::size_t markBegun(std::string_view bytes, std::string_view mark) {
  for (std::size_t n = std::min(bytes.size(), mark.size() - 1); n > 0; --n) {
    if (mark.starts_with(bytes.substr(bytes.size() - n))) return n;
  }
  return 0;
}

// A paste's text as typed characters are taken: every character, and no
// byte that starts none.
std::string pasteText(std::string_view sent) {
  std::string text;
  for (std::size_t at = 0; at < sent.size();) {
    const Utf8Character read = readUtf8(sent, at);
    if (read.valid) text.append(sent.substr(at, read.length));
    at += read.length;
  }
  return text;
}

std::vector<int> parameterList(std::string_view text) {
  std::vector<int> values{0};
  for (char c : text) {
    if (c == ';') {
      values.push_back(0);
    } else if (c >= '0' && c <= '9') {
      values.back() = std::min(values.back() * 10 + (c - '0'), MaxParameter);
    }
  }
  return values;
}

int parameterOr(const std::vector<int>& values, std::size_t i, int fallback) {
  return i < values.size() ? values[i] : fallback;
}

}  // namespace

void InputDecoder::feed(std::string_view bytes, std::uint64_t nowMs) {
  nowMs_ = std::max(nowMs_, nowMs);
  if (bytes.empty()) return;
  lastByteMs_ = nowMs_;
  pending_.append(bytes);
  decode(false);
}

void InputDecoder::advanceTo(std::uint64_t nowMs) {
  nowMs_ = std::max(nowMs_, nowMs);
  if (msUntilResolve(nowMs_) == 0) decode(true);
}

int InputDecoder::msUntilResolve(std::uint64_t nowMs) const {
  if (!inPaste_ && (pending_.empty() || pending_[0] != Esc)) return -1;
  const std::uint64_t limit = inPaste_ ? PasteQuietMs : EscapeQuietMs;
  const std::uint64_t quiet = nowMs > lastByteMs_ ? nowMs - lastByteMs_ : 0;
  return quiet >= limit ? 0 : static_cast<int>(limit - quiet);
}

std::optional<InputRecord> InputDecoder::next() {
  if (records_.empty()) return std::nullopt;
  InputRecord record = records_.front();
  records_.pop_front();
  if (record.kind == RecordKind::Mouse) deliveredButtons_ = record.mouse.buttonState & 0xFFFF;
  return record;
}

void InputDecoder::discardPending() {
  const bool pasteBegun = pending_.size() >= PasteStartKept && PasteStart.starts_with(pending_);
  if (!inPaste_ && !pasteBegun) pending_.clear();
  std::erase_if(records_, [](const InputRecord& r) { return r.kind != RecordKind::Paste; });
  if (mouse_.held() != deliveredButtons_) {
    records_.push_back(mouseRecord(mouse_.lastPosition(), mouse_.held(), 0, mouse::Moved));
  }
}

void InputDecoder::decode(bool quiet) {
  std::size_t pos = 0;
  while (pos < pending_.size()) {
    const std::string_view rest = std::string_view(pending_).substr(pos);
    const std::size_t used = inPaste_ ? takePaste(rest, quiet) : decodeOne(rest, quiet);
    if (used == Incomplete) break;
    pos += used;
  }
  pending_.erase(0, pos);
  if (quiet && inPaste_) endPaste();
}

std::size_t InputDecoder::takePaste(std::string_view bytes, bool quiet) {
  const std::size_t end = bytes.find(PasteEnd);
  const std::size_t text =
      end != std::string_view::npos ? end : bytes.size() - (quiet ? 0 : markBegun(bytes, PasteEnd));
  paste_.append(bytes.substr(0, std::min(text, MaxPasteBytes - paste_.size())));
  if (end != std::string_view::npos) {
    endPaste();
    return end + PasteEnd.size();
  }
  return text > 0 ? text : Incomplete;
}

void InputDecoder::endPaste() {
  inPaste_ = false;
  InputRecord record;
  record.kind = RecordKind::Paste;
  record.paste = pasteText(paste_);
  paste_.clear();
  if (!record.paste.empty()) records_.push_back(std::move(record));
}

std::size_t InputDecoder::decodeOne(std::string_view bytes, bool quiet) {
  if (bytes[0] == Esc) return decodeEscape(bytes, quiet);
  return decodeKey(bytes, 0);
}

std::size_t InputDecoder::decodeEscape(std::string_view bytes, bool quiet) {
  if (bytes.size() == 1) {
    if (!quiet) return Incomplete;
    pushKey(keyRecord(EscapeKey, Escape));
    return 1;
  }
  const char introducer = bytes[1];
  if (introducer == '[' || introducer == 'O') {
    const std::size_t used =
        introducer == '[' ? decodeCsi(bytes.substr(2)) : decodeSs3(bytes.substr(2));
    if (used != Incomplete) return 2 + used;
    if (!quiet) return Incomplete;
    // Nothing followed: it was Alt with '[' or 'O'; a longer unfinished
    // sequence is dropped.
    if (bytes.size() == 2) return 1 + decodeKey(bytes.substr(1), keystate::LeftAlt);
    return bytes.size();
  }
  if (introducer == Esc) {
    pushKey(keyRecord(EscapeKey, Escape));
    return 1;
  }
  const std::size_t used = decodeKey(bytes.substr(1), keystate::LeftAlt);
  if (used != Incomplete) return 1 + used;
  if (!quiet) return Incomplete;
  // An unfinished character after ESC: the ESC counts alone.
  pushKey(keyRecord(EscapeKey, Escape));
  return 1;
}

std::size_t InputDecoder::decodeCsi(std::string_view bytes) {
  if (bytes.empty()) return Incomplete;
  if (bytes[0] == '[') {
    // The Linux console's F1-F5: ESC [ [ A..E.
    if (bytes.size() < 2) return Incomplete;
    if (bytes[1] >= 'A' && bytes[1] <= 'E') {
      const auto key = static_cast<NamedKey>(static_cast<int>(NamedKey::F1) + (bytes[1] - 'A'));
      pushKey(keyRecord(namedKey(key), 0));
      return 2;
    }
    return 1;
  }
  if (bytes[0] == 'M') {
    // X10 mouse report: three bytes of button and position, each plus 32.
    if (bytes.size() < 4) return Incomplete;
    const int code = static_cast<unsigned char>(bytes[1]) - 32;
    const CellPos at{static_cast<unsigned char>(bytes[3]) - 33,
                     static_cast<unsigned char>(bytes[2]) - 33};
    mouse_.report(code, at, (code & 3) == 3 && !(code & 64), nowMs_, records_);
    return 4;
  }
  std::size_t i = 0;
  while (i < bytes.size() && i <= MaxSequenceLength) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x40 && c <= 0x7E) {
      dispatchCsi(bytes.substr(0, i), static_cast<char>(c));
      return i + 1;
    }
    if (c < 0x20 || c > 0x3F) return i;  // not a sequence: drop what came so far
    ++i;
  }
  return i > MaxSequenceLength ? i : Incomplete;
}

void InputDecoder::dispatchCsi(std::string_view parameters, char final) {
  if (!parameters.empty() && parameters[0] == '<') {
    if (final != 'M' && final != 'm') return;
    const std::vector<int> values = parameterList(parameters.substr(1));
    if (values.size() != 3) return;
    mouse_.report(values[0], CellPos{values[2] - 1, values[1] - 1}, final == 'm', nowMs_, records_);
    return;
  }
  if (!parameters.empty() && (parameters[0] < '0' || parameters[0] > ';')) return;
  const std::vector<int> values = parameterList(parameters);
  std::optional<NamedKey> key;
  if (final == '~' && values[0] == PasteStartNumber) {
    inPaste_ = true;
    return;
  }
  if (final == '~') {
    key = tildeKey(values[0]);
  } else if (final == 'Z') {
    pushKey(keyRecord(TabKey, Tab, keystate::Shift));
    return;
  } else {
    key = letterKey(final);
  }
  if (key) pushKey(keyRecord(namedKey(*key), 0, modifierState(parameterOr(values, 1, 0))));
}

std::size_t InputDecoder::decodeSs3(std::string_view bytes) {
  std::size_t i = 0;
  int modifier = 0;
  while (i < bytes.size() && i < 3 && bytes[i] >= '0' && bytes[i] <= '9') {
    modifier = modifier * 10 + (bytes[i] - '0');
    ++i;
  }
  if (i == bytes.size()) return Incomplete;
  const char final = bytes[i];
  const auto c = static_cast<unsigned char>(final);
  if (c < 0x40 || c > 0x7E) return i;
  const std::uint32_t state = modifierState(modifier);
  if (final == 'M') {
    pushKey(keyRecord(EnterKey, Enter, state | keystate::Enhanced));
  } else if (final >= 'j' && final <= 'y') {
    const char ch = KeypadCharacters[static_cast<std::size_t>(final - 'j')];
    pushKey(keyRecord(asciiKey(static_cast<unsigned char>(ch)), static_cast<char32_t>(ch), state));
  } else if (auto key = letterKey(final)) {
    pushKey(keyRecord(namedKey(*key), 0, state));
  }
  return i + 1;
}

std::size_t InputDecoder::decodeKey(std::string_view bytes, std::uint32_t extraState) {
  const auto b = static_cast<unsigned char>(bytes[0]);
  if (b >= 0x80) return decodeUtf8(bytes, extraState);
  if (b == '\r' || b == '\n') {
    pushKey(keyRecord(EnterKey, Enter, extraState));
  } else if (b == 0x7F || b == Backspace) {
    pushKey(keyRecord(BackspaceKey, Backspace, extraState));
  } else if (b == Tab) {
    pushKey(keyRecord(TabKey, Tab, extraState));
  } else if (b == Escape) {
    pushKey(keyRecord(EscapeKey, Escape, extraState));
  } else if (b == 0) {
    // Ctrl+Space; the Windows console gives it the blank.
    pushKey(keyRecord(asciiKey(' '), ' ', extraState | keystate::LeftCtrl));
  } else if (b <= 26) {
    pushKey(keyRecord(asciiKey(static_cast<unsigned char>('a' + b - 1)), b,
                      extraState | keystate::LeftCtrl));
  } else if (b < 0x20) {
    const auto key = static_cast<unsigned char>(ControlPunctuation[b - 28]);
    pushKey(keyRecord(asciiKey(key), b, extraState | keystate::LeftCtrl));
  } else {
    pushKey(keyRecord(asciiKey(b), b, extraState));
  }
  return 1;
}

std::size_t InputDecoder::decodeUtf8(std::string_view bytes, std::uint32_t extraState) {
  const Utf8Character read = readUtf8(bytes, 0);
  if (!read.valid) {
    // A character whose rest is still to come waits for it; anything else
    // that starts no character is dropped byte by byte.
    const std::size_t length = utf8SequenceLength(static_cast<unsigned char>(bytes[0]));
    const bool cut =
        length > bytes.size() && std::all_of(bytes.begin() + 1, bytes.end(), [](char c) {
          return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        });
    return cut ? Incomplete : 1;
  }
  pushKey(keyRecord(KeyFacts{}, read.character, extraState));
  return read.length;
}

}  // namespace menue
