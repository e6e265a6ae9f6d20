// SHA-256 of a byte string (FIPS 180-4), for recognising exactly the bytes
// of a file the user allowed.
#pragma once

#include <string>
#include <string_view>

namespace menue {

// The digest as 64 lower-case hex digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace menue
