// The unified diff --undo shows: hunks as diff(1) writes them, line ends
// compared, a missing last line end marked, lines through the caller's escaping.
#include "modes/text_diff.h"

#include <gtest/gtest.h>

namespace menue {
namespace {

std::string lines(int count, int changed1 = 0, int changed2 = 0) {
  std::string text;
  for (int n = 1; n <= count; ++n) {
    text += (n == changed1 || n == changed2 ? "neu " : "zeile ") + std::to_string(n) + "\n";
  }
  return text;
}

std::string diffOf(std::string_view from, std::string_view to) {
  return unifiedDiff(from, to, "alt", "neu", "\\ ohne Zeilenende", [](std::string_view line, bool) {
    std::string shown;
    for (const char c : line) {
      shown += c == '\t' ? std::string("\\t") : std::string(1, c);
    }
    return shown;
  });
}

std::size_t hunks(const std::string& diff) {
  std::size_t count = 0;
  for (std::size_t at = diff.find("\n@@ "); at != std::string::npos;
       at = diff.find("\n@@ ", at + 1)) {
    ++count;
  }
  return count;
}

TEST(TextDiff, HunksAndRangesAsDiffWritesThem) {
  struct Case {
    const char* what;
    std::string from;
    std::string to;
    std::string diff;
  };
  const Case cases[] = {
      {"equal", lines(5), lines(5), ""},
      {"one line in the middle", "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\n", "a\nb\nc\nd\nE\nf\ng\nh\ni\nj\n",
       "--- alt\n+++ neu\n@@ -2,7 +2,7 @@\n b\n c\n d\n-e\n+E\n f\n g\n h\n"},
      {"from nothing", "", "x\r\ny\r\n", "--- alt\n+++ neu\n@@ -0,0 +1,2 @@\n+x\n+y\n"},
      {"to nothing", "x\r\n", "", "--- alt\n+++ neu\n@@ -1,1 +0,0 @@\n-x\n"},
      // A removal leaves the end marker without its line end.
      {"line end only", "a\r\n\t", "a\r\n\t\r\n",
       "--- alt\n+++ neu\n@@ -1,2 +1,2 @@\n a\n-\\t\n\\ ohne Zeilenende\n+\\t\n"},
      {"an added line at the end", lines(2), lines(2) + "drei\n",
       "--- alt\n+++ neu\n@@ -1,2 +1,3 @@\n zeile 1\n zeile 2\n+drei\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(diffOf(c.from, c.to), c.diff) << c.what;
  }
}

TEST(TextDiff, SixLinesBetweenTwoChangesJoinTheirHunksSevenPartThem) {
  EXPECT_EQ(hunks(diffOf(lines(12), lines(12, 2, 9))), 1u);
  const std::string parted = diffOf(lines(20), lines(20, 2, 10));
  EXPECT_EQ(hunks(parted), 2u);
  EXPECT_NE(parted.find("@@ -1,5 +1,5 @@\n"), std::string::npos) << parted;
  EXPECT_NE(parted.find("@@ -7,7 +7,7 @@\n"), std::string::npos) << parted;
  // Far apart in a long text: each hunk counts the lines before it.
  const std::string far = diffOf(lines(20), lines(20, 2, 18));
  EXPECT_NE(far.find("@@ -15,6 +15,6 @@\n"), std::string::npos) << far;
  // A middle too large to match line by line is still a correct diff.
  const std::string huge = diffOf(lines(3000), lines(3000, 1, 3000));
  EXPECT_NE(huge.find("-zeile 1\n"), std::string::npos);
  EXPECT_NE(huge.find("+neu 3000\n"), std::string::npos);
}

}  // namespace
}  // namespace menue
