// Failure texts of the screen expectations: the differing rows with one row
// of context, the column of each first difference under a caret.
#include "tests/scenario/scenario_diff.h"

#include <algorithm>

#include "tests/scenario/scenario.h"

namespace menue::scenario {

namespace {

std::string rtrim(const std::string& text) {
  auto end = text.find_last_not_of(' ');
  return text.substr(0, end == std::string::npos ? 0 : end + 1);
}

// Width on a terminal: one column per UTF-8 character.
std::size_t columns(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void appendLine(std::string& out, char mark, int row, const std::string& cells) {
  std::string number = std::to_string(row);
  out += "   ";
  out += mark;
  out += std::string(number.size() < 3 ? 3 - number.size() : 0, ' ') + number + "|" +
         cellText(cells) + "\n";
}

}  // namespace

std::string rowsDiff(const std::vector<RowPair>& rows) {
  std::vector<bool> differs;
  for (const RowPair& pair : rows) differs.push_back(rtrim(pair.expected) != rtrim(pair.actual));
  auto near = [&](std::size_t i) {
    return differs[i] || (i > 0 && differs[i - 1]) || (i + 1 < rows.size() && differs[i + 1]);
  };
  std::string out;
  bool gap = false;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (!near(i)) {
      gap = !out.empty();
      continue;
    }
    if (gap) out += "    ...\n";
    gap = false;
    const std::string expected = rtrim(rows[i].expected);
    const std::string actual = rtrim(rows[i].actual);
    if (!differs[i]) {
      appendLine(out, ' ', rows[i].row, actual);
      continue;
    }
    appendLine(out, '-', rows[i].row, expected);
    appendLine(out, '+', rows[i].row, actual);
    auto at = static_cast<std::size_t>(
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end()).first -
        expected.begin());
    // The cells before the difference are the same in both lines.
    out += "       |" + std::string(columns(cellText(expected.substr(0, at))), ' ') + "^ column " +
           std::to_string(at + 1) + "\n";
  }
  return out.empty() ? out : "   (- expected, + actual)\n" + out;
}

std::string screenPicture(const std::vector<std::string>& rows) {
  std::string out;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    appendLine(out, ' ', static_cast<int>(i + 1), rtrim(rows[i]));
  }
  return out;
}

}  // namespace menue::scenario
