// The line diff: common lines at both ends set aside, the middle matched by
// a longest common subsequence where it is small enough to be cheap, else
// taken as removed and added whole; then grouped into hunks.
#include "modes/text_diff.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace menue {

namespace {

// Beyond this many cells the middle is not matched line by line.
constexpr std::size_t MatchedCells = std::size_t{4} << 20;
constexpr std::size_t Context = 3;

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, next - start));
    start = next;
  }
  return lines;
}

enum class Side { Both, From, To };

struct Step {
  Side side;
  std::size_t from;  // line index in `from` (Both, From)
  std::size_t to;    // line index in `to` (Both, To)
};

std::vector<Step> stepsOf(const std::vector<std::string_view>& a,
                          const std::vector<std::string_view>& b) {
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t n = a.size() - head - tail;
  const std::size_t m = b.size() - head - tail;
  std::vector<Step> steps;
  for (std::size_t i = 0; i < head; ++i) steps.push_back({Side::Both, i, i});
  if (n > 0 && m > 0 && (n + 1) * (m + 1) <= MatchedCells) {
    // length[i][j]: the longest common subsequence of a[i..] and b[j..].
    std::vector<std::uint32_t> length((n + 1) * (m + 1), 0);
    const auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& {
      return length[i * (m + 1) + j];
    };
    for (std::size_t i = n; i-- > 0;) {
      for (std::size_t j = m; j-- > 0;) {
        at(i, j) = a[head + i] == b[head + j] ? at(i + 1, j + 1) + 1
                                              : std::max(at(i + 1, j), at(i, j + 1));
      }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && a[head + i] == b[head + j]) {
        steps.push_back({Side::Both, head + i++, head + j++});
      } else if (j < m && (i == n || at(i, j + 1) > at(i + 1, j))) {
        steps.push_back({Side::To, 0, head + j++});
      } else {
        steps.push_back({Side::From, head + i++, 0});
      }
    }
  } else {
    for (std::size_t i = 0; i < n; ++i) steps.push_back({Side::From, head + i, 0});
    for (std::size_t j = 0; j < m; ++j) steps.push_back({Side::To, 0, head + j});
  }
  for (std::size_t k = 0; k < tail; ++k) {
    steps.push_back({Side::Both, a.size() - tail + k, b.size() - tail + k});
  }
  return steps;
}

std::string_view withoutLineEnd(std::string_view line) {
  if (line.ends_with("\r\n")) return line.substr(0, line.size() - 2);
  if (line.ends_with('\n')) return line.substr(0, line.size() - 1);
  return line;
}

// "-a,b" as diff writes it, after `before` lines: an empty range names the
// line before it.
std::string range(char sign, std::size_t before, std::size_t count) {
  return std::string(1, sign) + std::to_string(count == 0 ? before : before + 1) + "," +
         std::to_string(count);
}

}  // namespace

std::string unifiedDiff(std::string_view from, std::string_view to, std::string_view fromLabel,
                        std::string_view toLabel, std::string_view noLineEnd,
                        const ShownLine& shown) {
  const std::vector<std::string_view> a = linesOf(from);
  const std::vector<std::string_view> b = linesOf(to);
  const std::vector<Step> steps = stepsOf(a, b);
  // Each change with its context; hunks whose context meets are one.
  std::vector<std::pair<std::size_t, std::size_t>> hunks;
  for (std::size_t s = 0; s < steps.size(); ++s) {
    if (steps[s].side == Side::Both) continue;
    const std::size_t low = s >= Context ? s - Context : 0;
    const std::size_t high = std::min(steps.size(), s + 1 + Context);
    if (!hunks.empty() && low <= hunks.back().second) {
      hunks.back().second = high;
    } else {
      hunks.emplace_back(low, high);
    }
  }
  if (hunks.empty()) return {};
  std::string out = "--- " + std::string(fromLabel) + "\n+++ " + std::string(toLabel) + "\n";
  std::size_t lineA = 0;
  std::size_t lineB = 0;
  std::size_t done = 0;
  for (const auto& [low, high] : hunks) {
    for (; done < low; ++done) {
      lineA += steps[done].side != Side::To;
      lineB += steps[done].side != Side::From;
    }
    std::size_t countA = 0;
    std::size_t countB = 0;
    std::string body;
    for (std::size_t s = low; s < high; ++s) {
      const Step& step = steps[s];
      const std::string_view line = step.side == Side::To ? b[step.to] : a[step.from];
      body += step.side == Side::Both ? ' ' : step.side == Side::From ? '-' : '+';
      body += shown(withoutLineEnd(line), step.side != Side::To);
      body += '\n';
      if (!line.ends_with('\n')) {
        body += noLineEnd;
        body += '\n';
      }
      countA += step.side != Side::To;
      countB += step.side != Side::From;
    }
    out += "@@ " + range('-', lineA, countA) + " " + range('+', lineB, countB) + " @@\n" + body;
  }
  return out;
}

}  // namespace menue
