// The allow list of menus: "SHA256 PATH" lines in one file of the state
// directory, read only while that directory is the user's own.
#include "session/allowed_menus.h"

#include <optional>

#include "platform/sha256.h"
#include "session/path_text.h"

namespace menue {

namespace {

constexpr std::string_view StoreName = "freigegeben";
constexpr std::size_t MaxStoreBytes = std::size_t{4} << 20;
constexpr std::size_t HashLength = 64;

// The line of `encodedPath` in `text`: its start, or npos.
std::size_t lineOf(const std::string& text, const std::string& encodedPath) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (end - start == HashLength + 1 + encodedPath.size() && text[start + HashLength] == ' ' &&
        text.compare(start + HashLength + 1, encodedPath.size(), encodedPath) == 0) {
      return start;
    }
    start = end + 1;
  }
  return std::string::npos;
}

// `text` without the line at `at`.
std::string without(const std::string& text, std::size_t at) {
  if (at == std::string::npos) return text;
  const std::size_t end = text.find('\n', at);
  return text.substr(0, at) + (end == std::string::npos ? std::string() : text.substr(end + 1));
}

}  // namespace

std::string allowListPathOf(std::string_view path) {
  constexpr char Hex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F || c == '%') {
      out += '%';
      out += Hex[byte >> 4];
      out += Hex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

std::string AllowedMenus::storePath() const {
  const std::string directory = environment_.stateDirectory();
  return directory.empty() ? std::string() : joinPath(directory, StoreName, rules_);
}

bool AllowedMenus::read(std::optional<std::string>& text) {
  const std::string directory = environment_.stateDirectory();
  if (directory.empty() || files_.makePrivateDirectory(directory) != code::Success) return false;
  FileStart start;
  const PlatformCode failure = files_.readFileStart(storePath(), MaxStoreBytes, start);
  if (failure == code::FileNotFound) {
    text.reset();
    return true;
  }
  if (failure != code::Success || !start.whole || start.trust != FileTrust::Trusted) return false;
  text = std::move(start.text);
  return true;
}

PlatformCode AllowedMenus::write(const std::optional<std::string>& seen, const std::string& text) {
  const FileSystem::SeenText seenText =
      seen ? FileSystem::SeenText(std::string_view(*seen)) : std::nullopt;
  return files_.replaceFile(storePath(), seenText, text);
}

bool AllowedMenus::allows(const std::string& fullPath, std::string_view bytes) {
  std::optional<std::string> text;
  if (!read(text) || !text) return false;
  const std::size_t at = lineOf(*text, allowListPathOf(fullPath));
  return at != std::string::npos && text->compare(at, HashLength, sha256Hex(bytes)) == 0;
}

FileTrust AllowedMenus::trustOf(const std::string& fullPath, FileTrust trust,
                                const MenuModel& model, bool& allowed) {
  allowed = false;
  if (trust == FileTrust::Trusted || trust == FileTrust::OthersMayWrite || !model.whole) {
    return trust;
  }
  if (!allows(fullPath, model.rawText)) return trust;
  allowed = true;
  return FileTrust::Trusted;
}

void AllowedMenus::apply(const std::string& name, MenuFileRead& menu) {
  if (menu.trust == FileTrust::Trusted || !menu.model.loaded) return;
  std::string directory;
  if (files_.currentDirectory(directory) != code::Success) return;
  menu.trust = trustOf(joinPath(directory, name, rules_), menu.trust, menu.model, menu.allowed);
}

PlatformCode AllowedMenus::allow(const std::string& fullPath, std::string_view bytes) {
  std::optional<std::string> seen;
  if (!read(seen)) return code::AccessDenied;
  const std::string encoded = allowListPathOf(fullPath);
  const std::string kept = seen ? without(*seen, lineOf(*seen, encoded)) : std::string();
  return write(seen, kept + sha256Hex(bytes) + " " + encoded + "\n");
}

PlatformCode AllowedMenus::deny(const std::string& fullPath, bool& wasAllowed) {
  std::optional<std::string> seen;
  wasAllowed = false;
  if (!read(seen)) return code::AccessDenied;
  if (!seen) return code::Success;
  const std::size_t at = lineOf(*seen, allowListPathOf(fullPath));
  if (at == std::string::npos) return code::Success;
  wasAllowed = true;
  return write(seen, without(*seen, at));
}

}  // namespace menue
