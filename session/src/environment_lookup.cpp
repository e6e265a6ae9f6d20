// The one lookup of an environment entry by its name.
#include "session/environment_lookup.h"

#include "platform/letters.h"

namespace menue {

namespace {

bool sameName(std::string_view a, std::string_view b, bool ignoreCase) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ignoreCase ? asciiUpper(a[i]) != asciiUpper(b[i]) : a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> environmentValue(const std::vector<std::string>& entries,
                                            std::initializer_list<std::string_view> names,
                                            bool ignoreCase) {
  for (const std::string& entry : entries) {
    if (entry.empty()) break;
    const std::size_t equals = entry.find('=');
    if (equals == 0 || equals == std::string::npos) continue;
    const std::string_view name = std::string_view(entry).substr(0, equals);
    for (const std::string_view wanted : names) {
      if (sameName(name, wanted, ignoreCase)) return entry.substr(equals + 1);
    }
  }
  return std::nullopt;
}

}  // namespace menue
