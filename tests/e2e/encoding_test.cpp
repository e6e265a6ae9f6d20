// End to end, POSIX: text crossing to the system in UTF-8: directories shown
// with their letters and typed with umlauts, a pass-through that names
// files, and a MenuFile written in UTF-8.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class EncodingTest : public E2eTest {};

TEST_F(EncodingTest, PassThroughNamesFilesInUtf8) {
  start();
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(entered("mkdir \xC3\x96l"));
  ASSERT_TRUE(eventually([&] { return fs::is_directory(work() / "\xC3\x96l"); }, "Öl made"));
  session().sendBytes("x");
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(entered("echo \xC3\xBC > f.txt"));
  ASSERT_TRUE(eventually([&] { return readFile(work() / "f.txt") == "\xC3\xBC\n"; },
                         "f.txt holding the UTF-8 ü"));
  session().sendBytes("x");
  EXPECT_TRUE(endsWithEsc());
}

// The start directory shows its letters, '?' for a name that is no UTF-8,
// and is kept as the system's bytes, so "cd!" returns there from a
// directory typed with umlauts.
TEST_F(EncodingTest, DirectoriesShowTheirLettersAndAreEnteredAsTyped) {
  const fs::path home = work() / "M\xC3\xBCll" / "M\xFCll";
  const fs::path zurich = home / "Z\xC3\xBCrich";
  // The byte that starts no character shows as the replacement character.
  const fs::path shown = work() / "M\xC3\xBCll" / "M\xEF\xBF\xBDll";
  fs::create_directories(zurich);
  writeMenu("-menue-", "Start", {{"Heim", '1', {"true"}}}, home);
  writeMenu("-menue-", "Dort", {{"Dortpunkt", '1', {"true"}}}, zurich);
  start(home);
  ASSERT_TRUE(shows(" Heim "));
  ASSERT_TRUE(showsPrompt(shown));
  ASSERT_TRUE(entered("cd Z\xC3\xBCrich"));
  ASSERT_TRUE(shows(" Dortpunkt "));
  ASSERT_TRUE(showsPrompt(shown / "Z\xC3\xBCrich"));
  ASSERT_TRUE(entered("cd!"));
  ASSERT_TRUE(shows(" Heim "));
  EXPECT_TRUE(showsPrompt(shown));
  EXPECT_TRUE(endsWithEsc());
}

// 31 characters in 35 bytes: centred from column 24 in a frame from 22 to 58.
TEST_F(EncodingTest, Utf8MenuFileShowsItsLettersAndRunsItsCommandUnchanged) {
  const std::string text = "\xC3\x96l wechseln f\xC3\xBCr J\xC3\xB6rg und J\xC3\xBCrgen";
  writeMenu("-menue-",
            "Gr\xC3\xBC\xC3\x9F"
            "e",
            {{text,
              '1',
              {"touch \xCE\xA9-Gr\xC3\xBC\xC3\x9F"
               "e.txt"}}});
  start();
  ASSERT_TRUE(showsAt(8, 24, " " + text + " "));
  EXPECT_EQ(session().cells(5, 38, 5),
            "Gr\xC3\xBC\xC3\x9F"
            "e");
  EXPECT_EQ(session().cells(6, 22, 1), "\xE2\x95\x94");
  EXPECT_EQ(session().cells(6, 58, 1), "\xE2\x95\x97");
  session().pressKey(Key::Down);
  ASSERT_TRUE(eventually([&] { return session().attribute(8, 25) == 0x71; }, "item 1 highlighted"));
  session().pressKey(Key::Enter);
  ASSERT_TRUE(eventually(
      [&] {
        return fs::exists(work() /
                          "\xCE\xA9-Gr\xC3\xBC\xC3\x9F"
                          "e.txt");
      },
      "the file named in UTF-8 made"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
