// End to end, POSIX: text crossing to the system in UTF-8: a directory typed
// with umlauts, a pass-through that names files, a start directory shown
// with its letters, and a MenuFile written in UTF-8.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class EncodingTest : public E2eTest {};

TEST_F(EncodingTest, CdToADirectoryTypedWithUmlauts) {
  const fs::path zurich = work() / "Z\xC3\xBCrich";
  fs::create_directory(zurich);
  writeMenu("-menue-", "Dort", {{"Dortpunkt", '1', {"true"}}}, zurich);
  start();
  ASSERT_TRUE(showsPrompt(work()));
  ASSERT_TRUE(entered("cd Z\xC3\xBCrich"));
  ASSERT_TRUE(shows(" Dortpunkt "));
  ASSERT_TRUE(showsPrompt(zurich));
  EXPECT_TRUE(endsWithEsc());
}

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

// The start directory is kept as the system's bytes, so "cd!" returns even
// to a name that is no UTF-8, which shows '?' where its letter is.
TEST_F(EncodingTest, StartDirectoryShowsItsLettersAndCdBangReturns) {
  const fs::path mull = work() / "M\xC3\xBCll";
  const fs::path latin1 = mull / "M\xFCll";
  fs::create_directories(latin1);
  writeMenu("-menue-", "Start", {{"Heim", '1', {"true"}}}, latin1);
  start(mull);
  ASSERT_TRUE(showsPrompt(mull));
  ASSERT_TRUE(endsWithEsc());

  start(latin1);
  ASSERT_TRUE(shows(" Heim "));
  ASSERT_TRUE(showsPrompt(mull / "M?ll"));
  ASSERT_TRUE(entered("cd .."));
  ASSERT_TRUE(showsPrompt(mull));
  ASSERT_TRUE(entered("cd!"));
  ASSERT_TRUE(shows(" Heim "));
  EXPECT_TRUE(showsPrompt(mull / "M?ll"));
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
