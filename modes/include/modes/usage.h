// The texts of --help and --version.
#pragma once

#include <string>
#include <string_view>

namespace menue {

// The usage, German in Windows-1252, each line ended by "\n".
std::string_view usageText();
// "menue 1.1", then the copyright and the licence, each on its own line.
std::string versionText();

}  // namespace menue
