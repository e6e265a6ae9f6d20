// The history entry format: every field comes back byte for byte, and a
// text that is no whole entry is none.
#include "session/edit_history_entry.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace menue {
namespace {

HistoryEntry entryOf(std::string path, std::string cause, std::string local, FileVersion before) {
  HistoryEntry entry;
  entry.path = std::move(path);
  entry.cause = std::move(cause);
  entry.time = {1'800'000'000, std::move(local)};
  entry.before = std::move(before);
  entry.afterFingerprint = fingerprintOf("after");
  return entry;
}

TEST(EditHistoryEntry, EveryFieldComesBackByteForByte) {
  const HistoryEntry cases[] = {
      entryOf("/home/ich/-menue-", "Men\xFC+", "2027-01-15 10:00:00", FileVersion::of("a\r\nb")),
      // A line end, CR, '%' and an escape sequence in the path; text with
      // lines that look like header lines.
      entryOf("/tmp/a\nb\r%41%/-menue-", "--edit", "2027-01-15 10:00:00",
              FileVersion::of("path x\n\ncause y\n")),
      entryOf("/x/\x1b]0;titel\x07/-menue-", "\x1b[2J", "\n%zz", FileVersion::of(std::nullopt)),
      entryOf("C:\\m\\-menue05-",
              "\xFC"
              "bernommen",
              "", FileVersion::notCopied(fingerprintOf("huge"))),
      entryOf("/leer", "--undo", "2027-01-15 10:00:00", FileVersion::of("")),
  };
  for (const HistoryEntry& entry : cases) {
    SCOPED_TRACE(entry.path);
    const std::string text = entryText(entry);
    // The header is lines of its own: nothing of a field breaks one.
    const std::string header = text.substr(0, text.find("\n\n"));
    EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 5);
    const std::optional<HistoryEntry> read = parseEntry(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->path, entry.path);
    EXPECT_EQ(read->cause, entry.cause);
    EXPECT_EQ(read->time.seconds, entry.time.seconds);
    EXPECT_EQ(read->time.local, entry.time.local);
    EXPECT_EQ(read->before.kind, entry.before.kind);
    EXPECT_EQ(read->before.text, entry.before.text);
    EXPECT_EQ(read->before.fingerprint, entry.before.fingerprint);
    EXPECT_EQ(read->afterFingerprint, entry.afterFingerprint);
  }
}

TEST(EditHistoryEntry, WhatIsNoWholeEntryIsNone) {
  const std::string whole =
      entryText(entryOf("/m/-menue-", "--edit", "2027-01-15", FileVersion::of("old text\r\n")));
  const std::string none =
      entryText(entryOf("/m/-menue-", "--edit", "2027-01-15", FileVersion::of(std::nullopt)));
  std::string badEscape = whole;
  badEscape.replace(badEscape.find("/m/"), 3, "%4");
  std::string badTime = whole;
  badTime.replace(badTime.find("time ") + 5, 1, "x");
  const std::pair<const char*, std::string> cases[] = {
      {"cut in the text", whole.substr(0, whole.size() - 3)},
      {"cut in the header", whole.substr(0, whole.find("cause"))},
      {"text longer than it was", whole + "more"},
      {"text after no file", none + "x"},
      {"broken escape", badEscape},
      {"time not a number", badTime},
      {"another format", "menue-verlauf 3" + whole.substr(15)},
      {"empty", ""},
  };
  for (const auto& [what, text] : cases) {
    EXPECT_FALSE(parseEntry(text)) << what;
  }
  // The entries written before the fields were encoded still read.
  std::string raw = whole;
  raw.replace(0, 15, "menue-verlauf 1");
  ASSERT_TRUE(parseEntry(raw));
  EXPECT_EQ(parseEntry(raw)->before.text, "old text\r\n");
}

}  // namespace
}  // namespace menue
