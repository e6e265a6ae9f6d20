// The edit history over the menu's own edit path on the virtual platform:
// a sequence of edits kept and undone, an undo refused after a change
// menue did not make, a change that did not happen, the bounds, and a
// state directory that cannot be written.
#include "session/edit_history.h"

#include <gtest/gtest.h>

#include "menufile/menu_load.h"
#include "modes/history_command.h"
#include "platform/virtual/virtual_platform.h"
#include "session/menu_view.h"
#include "session/program.h"
#include "session/recorded_files.h"
#include "tests/support/collected_stream.h"

namespace menue {
namespace {

std::string menuText(std::string_view items) {
  std::string text = "(Menuanzeige)\r\n";
  for (const char item : items) text += std::string(1, item) + "\r\n";
  text += "(Menuausfuhrung)\r\n";
  for (std::size_t i = 0; i < items.size(); ++i) text += "\t1a\r\n";
  return text + "\t\r\n";
}

class EditHistoryTest : public testing::Test {
 protected:
  EditHistoryTest() {
    machine.files.makeDirectory("C:\\m");
    machine.files.changeDirectory("C:\\m");
    recorded.causeFrom(program.state.editCause);
    recorded.noticeTo(program.state.historyNotice);
  }

  // One edit of the menu, as a command of the table makes it.
  void edit(std::string_view cause, const std::string& text) {
    program.state.editCause = std::string(cause);
    if (!machine.files.file("-menue-")) {
      ASSERT_EQ(createCurrentMenu(program, text), Next::Continue);
      return;
    }
    ASSERT_EQ(loadWholeMenu(machine.files, "-menue-", program.model).failure, code::Success);
    ASSERT_EQ(rewriteCurrentMenu(program, text), Next::Continue);
  }

  int history(std::string& out) {
    CollectedStream outText;
    CollectedStream err;
    const int status = exitCode(runHistoryList(services, modeRecording, "", outText, err));
    out = outText.text + err.text;
    return status;
  }

  int undo(int version, std::string answer, std::string& out) {
    VirtualInput in;
    in.lines = {std::move(answer)};
    CollectedStream outText;
    CollectedStream err;
    const int status = exitCode(runUndo(services, modeRecording, "", version, in, outText, err));
    out = outText.text + err.text;
    return status;
  }

  std::vector<HistoryEntry> entries() { return store.entriesOf("C:\\m\\-menue-"); }

  VirtualPlatform machine;
  Platform& platform = machine.platform();
  EditHistory store{machine.files, machine.environment, machine.clock, PathRules{}};
  RecordedFiles recorded{machine.files, store};
  Platform withHistory{platform.console,     recorded,       platform.processes,
                       platform.environment, platform.clock, platform.rules};
  Program program{withHistory};
  CommandServices::Services services{platform.files, platform.processes, platform.environment,
                                     platform.clock, platform.rules};
  EditRecording modeRecording{platform.files, platform.environment, platform.clock, platform.rules};
};

TEST_F(EditHistoryTest, ASequenceOfEditsIsKeptAndUndoneStepByStep) {
  edit("Men\xFC++", menuText("A"));
  edit("Men\xFC+", menuText("AB"));
  edit("Men\xFC*", menuText("BA"));
  program.state.editCause = "Men\xFC--";
  ASSERT_EQ(program.menuSet.remove("-menue-", program.model), code::Success);
  ASSERT_FALSE(machine.files.file("-menue-"));

  std::string out;
  EXPECT_EQ(history(out), 0);
  EXPECT_NE(out.find("  1        2027-01-15 08:00:00  Men\xFC++                 keine Datei\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("  4        2027-01-15 08:00:03  Men\xFC--                 " +
                     std::to_string(menuText("BA").size()) + " Bytes, 2 Men\xFCpunkte\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("fehlt"), std::string::npos) << out;

  // Each undo takes back the last change, itself one the history keeps.
  EXPECT_EQ(undo(0, "n", out), 1);
  EXPECT_FALSE(machine.files.file("-menue-"));
  EXPECT_EQ(undo(0, "j", out), 0) << out;
  EXPECT_EQ(machine.files.file("-menue-"), menuText("BA"));
  // The last change is now the undo: taking it back deletes the file again.
  EXPECT_EQ(undo(0, "j", out), 0) << out;
  EXPECT_FALSE(machine.files.file("-menue-"));
  // Version 2 goes back further, to the text before Menü+.
  EXPECT_EQ(undo(2, "j", out), 0) << out;
  EXPECT_EQ(machine.files.file("-menue-"), menuText("A"));
  EXPECT_EQ(entries().size(), 7u);
  // Names that ignore case: one MenuFile however it is typed.
  EXPECT_EQ(store.entriesOf("c:\\M\\-MENUE-").size(), 7u);
}

TEST_F(EditHistoryTest, AnUndoAfterAForeignChangeIsRefusedNamingTheVersion) {
  edit("Men\xFC++", menuText("A"));
  edit("Men\xFC+", menuText("AB"));
  machine.files.putFile("-menue-", menuText("XYZ"));
  std::string out;
  EXPECT_EQ(undo(0, "j", out), 1);
  EXPECT_NE(out.find("menue --undo --version 2"), std::string::npos) << out;
  EXPECT_EQ(machine.files.file("-menue-"), menuText("XYZ"));
  EXPECT_EQ(history(out), 0);
  EXPECT_NE(out.find("hier fehlt Verlauf"), std::string::npos) << out;
  // The version named is put back, and the foreign text kept in its turn.
  EXPECT_EQ(undo(2, "j", out), 0) << out;
  EXPECT_EQ(machine.files.file("-menue-"), menuText("A"));
  EXPECT_EQ(entries().back().before.text, menuText("XYZ"));
}

// An undo whose write fails says it could not write, and the file stays.
TEST_F(EditHistoryTest, AFailedWriteOfTheUndoIsCalledOne) {
  edit("Men\xFC++", menuText("A"));
  edit("Men\xFC+", menuText("AB"));
  const std::vector<std::pair<PlatformCode, std::string>> cases = {
      {code::EasNotSupported,
       "menue: -menue-: nicht schreibbar: Besitzer, Rechte oder Attribute lie\xDF"
       "en sich nicht erhalten\n"},
      {code::DiskFull, "menue: -menue-: kein Platz mehr auf dem Datentr\xE4ger\n"},
      {code::GeneralFailure, "menue: -menue-: nicht schreibbar (Systemfehler 31)\n"},
  };
  for (const auto& [failure, message] : cases) {
    SCOPED_TRACE(failure);
    machine.files.failNext(FileOp::Replace, failure);
    std::string out;
    EXPECT_EQ(undo(0, "j", out), 2);
    EXPECT_TRUE(out.ends_with(message)) << out;
    EXPECT_EQ(machine.files.file("-menue-"), menuText("AB"));
  }
}

// Before it asks, the undo shows what it changes: the text now against the
// version it restores, escaped as --list shows command lines.
TEST_F(EditHistoryTest, TheUndoShowsItsChangeBeforeItAsks) {
  edit("Men\xFC++", menuText("A"));
  edit("Men\xFC+", menuText("AB"));
  std::string out;
  EXPECT_EQ(undo(0, "n", out), 1);
  EXPECT_NE(out.find(" (jetzt)\n+++ Fassung 2\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\n-B\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\n-\\x091a\n \\x091a\n"), std::string::npos) << out;
  EXPECT_LT(out.find("@@"), out.find("Wiederherstellen? (j/n)"));
  EXPECT_EQ(machine.files.file("-menue-"), menuText("AB"));
}

TEST_F(EditHistoryTest, AChangeThatDidNotHappenLeavesNoEntry) {
  edit("Men\xFC++", menuText("A"));
  ASSERT_EQ(loadWholeMenu(machine.files, "-menue-", program.model).failure, code::Success);
  // Another program writes the file between the menu's read and its edit.
  machine.files.putFile("-menue-", menuText("Q"));
  program.state.editCause = "Men\xFC+";
  EXPECT_EQ(rewriteCurrentMenu(program, menuText("AB")), Next::Continue);
  EXPECT_EQ(machine.files.file("-menue-"), menuText("Q"));
  EXPECT_EQ(entries().size(), 1u);
}

// Killed between its entry and its change: the file still holds the
// entry's text before, and the undo takes back the change before it.
TEST_F(EditHistoryTest, AChangeStoppedAfterItsEntryIsPassedOverByTheUndo) {
  edit("Men\xFC++", menuText("A"));
  edit("Men\xFC+", menuText("AB"));
  ASSERT_TRUE(store.record("C:\\m\\-menue-", "Men\xFC-", FileVersion::of(menuText("AB")),
                           fingerprintOf(menuText("A"))));
  std::string out;
  EXPECT_EQ(undo(0, "j", out), 0) << out;
  EXPECT_EQ(machine.files.file("-menue-"), menuText("A"));
}

TEST_F(EditHistoryTest, AnUnwritableStateDirectoryStopsNoEdit) {
  edit("Men\xFC++", menuText("A"));
  machine.files.failAlways(FileOp::MakeDirectory, code::AccessDenied);
  edit("Men\xFC+", menuText("AB"));
  EXPECT_EQ(machine.files.file("-menue-"), menuText("AB"));
  // The edit says once that the history is off, and goes on.
  EXPECT_EQ(machine.clock.pauses.size(), 1u);
  edit("Men\xFC+", menuText("AB"));
  EXPECT_EQ(machine.clock.pauses.size(), 1u);
  machine.files.failAlways(FileOp::MakeDirectory, code::Success);
  edit("Men\xFC+", menuText("ABC"));
  std::string out;
  EXPECT_EQ(history(out), 0);
  // Between version 1 (before "A") and version 2 (before "AB") "A"'s change
  // went unrecorded.
  const std::size_t gap = out.find("hier fehlt Verlauf");
  ASSERT_NE(gap, std::string::npos) << out;
  EXPECT_LT(out.find("  1 "), gap);
  EXPECT_GT(out.find("  2 "), gap);
  EXPECT_NE(out.find("nach 2027-01-15 08:00:00 und vor 2027-01-15 08:00:01 ohne Verlauf"),
            std::string::npos)
      << out;
}

TEST_F(EditHistoryTest, TheAdoptionOfANumberedMenuIsKeptForBothNames) {
  machine.files.putFile("-menue02-", menuText("Z"));
  bool adopted = false;
  ASSERT_EQ(program.menuSet.adopt("-menue-", adopted), code::Success);
  ASSERT_TRUE(adopted);
  ASSERT_EQ(entries().size(), 1u);
  EXPECT_EQ(entries().front().before.kind, FileVersion::Kind::None);
  EXPECT_EQ(entries().front().cause,
            "\xFC"
            "bernommen");
  const auto left = store.entriesOf("C:\\m\\-menue02-");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left.front().before.text, menuText("Z"));

  // A file the user may not read moves, but is never copied.
  machine.files.putFile("-menue03-", menuText("S"));
  machine.files.failNext(FileOp::Read, code::AccessDenied);
  ASSERT_EQ(recorded.moveFile("-menue03-", "-menue04-"), code::Success);
  const auto unread = store.entriesOf("C:\\m\\-menue03-");
  ASSERT_EQ(unread.size(), 1u);
  EXPECT_EQ(unread.front().before.kind, FileVersion::Kind::NotCopied);
  EXPECT_EQ(unread.front().before.text, "");
  // Nor is one larger than a MenuFile is ever read: it is not read whole.
  machine.files.putFile("-menue05-", std::string(MaxMenuFileBytes + 1, 'x'));
  ASSERT_EQ(recorded.moveFile("-menue05-", "-menue06-"), code::Success);
  EXPECT_EQ(store.entriesOf("C:\\m\\-menue05-").front().before.kind, FileVersion::Kind::NotCopied);
}

TEST_F(EditHistoryTest, TheBoundsDropTheOldestFirst) {
  std::string items;
  for (int i = 0; i < HistoryVersionsPerFile + 5; ++i) {
    items += 'A';
    edit("Men\xFC+", menuText(items.substr(0, 1 + i % 17)));
  }
  const std::vector<HistoryEntry> kept = entries();
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(HistoryVersionsPerFile));
  EXPECT_EQ(kept.front().version, 6);

  // Twelve MenuFiles of 1 MB each: at most 10 MB stay, the newest.
  const std::string large(std::size_t{1} << 20, 'x');
  for (int i = 0; i < 12; ++i) {
    const std::string name = "C:\\m\\big" + std::to_string(i);
    ASSERT_TRUE(store.record(name, "--edit", FileVersion::of(large), fingerprintOf("y")));
  }
  std::uint64_t total = 0;
  for (const ListedFile& file : machine.files.listDirectory(store.directory())) {
    total += file.size;
  }
  EXPECT_LE(total, HistoryBytes);
  EXPECT_TRUE(store.entriesOf("C:\\m\\big0").empty());
  EXPECT_EQ(store.entriesOf("C:\\m\\big11").size(), 1u);
  EXPECT_TRUE(entries().empty());
}

// A clock that ran ahead and was set back: the versions written since have
// the earliest times, and still the oldest versions go, not the newest.
TEST_F(EditHistoryTest, AClockSetBackDropsTheOldestVersionsNotTheNewest) {
  for (int i = 0; i < HistoryVersionsPerFile + 5; ++i) {
    if (i == 10) machine.clock.seconds += 10 * 86400;
    if (i == 20) machine.clock.seconds -= 20 * 86400;
    edit("Men\xFC+", menuText(std::string(1 + i % 17, 'A')));
  }
  const std::vector<HistoryEntry> kept = entries();
  ASSERT_EQ(kept.size(), static_cast<std::size_t>(HistoryVersionsPerFile));
  EXPECT_EQ(kept.front().version, 6);
  EXPECT_EQ(kept.back().version, HistoryVersionsPerFile + 5);
}

}  // namespace
}  // namespace menue
