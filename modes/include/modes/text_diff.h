// What changes between two texts, line by line, as a unified diff: the
// lines each side alone has, with three lines of context around them.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace menue {

// How a line (without its line end) is shown; `inFrom`: a line of `from`
// (a line both texts have counts as one of `from`), else of `to`.
using ShownLine = std::function<std::string(std::string_view line, bool inFrom)>;

// The unified diff from `from` to `to` ("--- FROMLABEL", "+++ TOLABEL",
// then "@@ -a,b +c,d @@" hunks); empty when the texts are equal. Lines
// are compared with their line ends (LF, or CR LF); a last line without
// one is followed by `noLineEnd` as diff marks it.
std::string unifiedDiff(std::string_view from, std::string_view to, std::string_view fromLabel,
                        std::string_view toLabel, std::string_view noLineEnd,
                        const ShownLine& shown);

}  // namespace menue
