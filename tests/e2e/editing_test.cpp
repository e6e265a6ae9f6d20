// End to end, POSIX: the menu edit commands typed at a real terminal: the
// creation dialogue (with a real UTF-8 "ü" in the command), adding an item
// that then runs, swapping and removing items, deleting the menu.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

const std::string StatusQuestion = " Eingabe >_";

class EditingTest : public E2eTest {
 protected:
  // Waits for `text` to appear in answer to the last input, then sends `key`.
  ::testing::AssertionResult keyAfter(std::string_view text, std::string_view key) {
    auto result = eventually(
        [&] { return session().respondedSinceInput() && session().screenContains(text); },
        "\"" + std::string(text) + "\" shows");
    if (result) session().sendBytes(key);
    return result;
  }

  std::string menuBytes() { return readFile(work() / "-menue-").value_or("<no file>"); }
};

TEST_F(EditingTest, CreationDialogueWritesFirstMenu) {
  start();
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(entered("Menü++"));
  ASSERT_TRUE(answered(" Kopfzeile (max.76 zeichen)>", "Werkzeuge"));
  ASSERT_TRUE(answered(" Anzeigetext (max 72 Zeichen)>", "Liste"));
  ASSERT_TRUE(keyAfter(StatusQuestion, "1"));
  ASSERT_TRUE(answered(" Befehlszeile (beenden mit <Enter>):", "touch liste.txt"));
  ASSERT_TRUE(answered(" Befehlszeile (beenden mit <Enter>):", ""));

  ASSERT_TRUE(showsAt(8, 37, " Liste "));
  EXPECT_EQ(session().cells(5, 36, 9), "Werkzeuge");
  const std::string bytes = menuBytes();
  EXPECT_EQ(bytes.rfind("                Men\xFC"
                        "anzeige  -  eizeilig bis 76 Zeichen\r\n",
                        0),
            0u)
      << "the file starts with the structure comment in Windows-1252";
  const std::string tail =
      "Kopfzeile=Werkzeuge\r\n(Menuanzeige)\r\nListe\r\n(Menuausfuhrung)\r\n"
      "\t1touch liste.txt\r\n\t\r\n";
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);

  // The new item runs.
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 38) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually([&] { return fs::exists(work() / "liste.txt"); }, "liste.txt written"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(EditingTest, AddedItemIsShownAndRuns) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  start();
  ASSERT_TRUE(showsAt(8, 38, " Eins "));
  ASSERT_TRUE(entered("Menü+"));
  ASSERT_TRUE(answered("Anzeigetext >", "Zweiter"));
  ASSERT_TRUE(keyAfter(StatusQuestion, "1"));
  ASSERT_TRUE(answered("Befehlszeile (beenden mit <Enter>:)", "touch zweiter.txt"));
  ASSERT_TRUE(answered("Befehlszeile (beenden mit <Enter>:)", ""));

  // Two items stand on rows 8 and 11.
  ASSERT_TRUE(showsAt(11, 36, " Zweiter "));
  EXPECT_EQ(session().cells(8, 38, 6), " Eins ");
  EXPECT_EQ(menuBytes(),
            "Kopfzeile=Start\r\n(Menuanzeige)\r\nEins\r\nZweiter\r\n(Menuausfuhrung)\r\n"
            "\t1true\r\n\t1touch zweiter.txt\r\n\t\r\n");

  session().pressKey(Key::Up);  // from no highlight, up goes to the last item
  ASSERT_TRUE(
      eventually([&] { return session().attribute(11, 37) == 0x71; }, "item 2 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(
      eventually([&] { return fs::exists(work() / "zweiter.txt"); }, "zweiter.txt written"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(EditingTest, SwapAndRemoveChangeScreenAndFile) {
  writeMenu("-menue-", "Start",
            {{"Eins", '1', {"true 1"}}, {"Zwei", '1', {"true 2"}}, {"Drei", '1', {"true 3"}}});
  start();
  ASSERT_TRUE(showsAt(7, 38, " Eins "));

  ASSERT_TRUE(entered("Menü*1+2"));
  ASSERT_TRUE(showsAt(7, 38, " Zwei "));
  EXPECT_EQ(session().cells(10, 38, 6), " Eins ");
  EXPECT_EQ(session().cells(13, 38, 6), " Drei ");
  EXPECT_EQ(menuBytes(),
            "Kopfzeile=Start\r\n(Menuanzeige)\r\nZwei\r\nEins\r\nDrei\r\n(Menuausfuhrung)\r\n"
            "\t1true 2\r\n\t1true 1\r\n\t1true 3\r\n\t");

  ASSERT_TRUE(entered("Menü-2"));
  ASSERT_TRUE(hides(" Eins "));
  EXPECT_TRUE(showsAt(8, 38, " Zwei "));
  EXPECT_TRUE(showsAt(11, 38, " Drei "));
  EXPECT_EQ(menuBytes(),
            "Kopfzeile=Start\r\n(Menuanzeige)\r\nZwei\r\nDrei\r\n(Menuausfuhrung)\r\n"
            "\t1true 2\r\n\t1true 3\r\n\t");
  EXPECT_TRUE(endsWithEsc());
}

// Two menus in one directory add an item each, their dialogues overlapping:
// the later one writes nothing and shows the earlier one's item; typed again
// it keeps both.
TEST_F(EditingTest, OverlappingInsertionsOfTwoMenusLoseNoItem) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  start();
  ASSERT_TRUE(showsAt(8, 38, " Eins "));
  ASSERT_TRUE(entered("Menü+"));
  ASSERT_TRUE(answered("Anzeigetext >", "Von A"));
  auto first = swapSession(nullptr);

  start();
  ASSERT_TRUE(showsAt(8, 38, " Eins "));
  ASSERT_TRUE(entered("Menü+"));
  ASSERT_TRUE(answered("Anzeigetext >", "Von B"));
  ASSERT_TRUE(keyAfter(StatusQuestion, "1"));
  ASSERT_TRUE(answered("Befehlszeile (beenden mit <Enter>:)", ""));
  ASSERT_TRUE(showsAt(11, 37, " Von B "));
  auto second = swapSession(std::move(first));

  ASSERT_TRUE(keyAfter(StatusQuestion, "1"));
  ASSERT_TRUE(answered("Befehlszeile (beenden mit <Enter>:)", ""));
  ASSERT_TRUE(showsAt(11, 37, " Von B "));
  ASSERT_TRUE(entered("Menü+"));
  ASSERT_TRUE(answered("Anzeigetext >", "Von A"));
  ASSERT_TRUE(keyAfter(StatusQuestion, "1"));
  ASSERT_TRUE(answered("Befehlszeile (beenden mit <Enter>:)", ""));
  ASSERT_TRUE(showsAt(13, 37, " Von A "));
  EXPECT_EQ(menuBytes(),
            "Kopfzeile=Start\r\n(Menuanzeige)\r\nEins\r\nVon B\r\nVon A\r\n(Menuausfuhrung)\r\n"
            "\t1true\r\n\t1\t1\t\r\n");
  EXPECT_TRUE(endsWithEsc());
  swapSession(std::move(second));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(EditingTest, DeleteMenuOnlyWhenAnsweredJ) {
  writeMenu("-menue-", "Start", {{"Eins", '1', {"true"}}});
  const std::string question = " wirklich das gesammte angezeigte Menü löschen ? ";
  start();
  ASSERT_TRUE(showsAt(8, 38, " Eins "));

  ASSERT_TRUE(entered("Menü--"));
  ASSERT_TRUE(keyAfter(question, "n"));
  ASSERT_TRUE(hides(question));
  ASSERT_TRUE(showsAt(8, 38, " Eins "));
  EXPECT_TRUE(fs::exists(work() / "-menue-"));

  ASSERT_TRUE(entered("Menü--"));
  ASSERT_TRUE(keyAfter(question, "j"));
  ASSERT_TRUE(hides(" Eins "));
  ASSERT_TRUE(showsPrompt(work()));
  EXPECT_FALSE(fs::exists(work() / "-menue-"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
