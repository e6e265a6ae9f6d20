// End to end, POSIX: every character typed reaches the shell, cd and the
// MenuFile as typed, also characters code page 850 lacks.
#include "tests/e2e/e2e_fixture.h"

namespace menue::e2e {
namespace {

class TypedTextTest : public E2eTest {};

const std::string Typed = "x\xE2\x82\xAC\xC5\x82\xE6\x97\xA5";  // x€ł日

TEST_F(TypedTextTest, APassThroughLineGetsExactlyWhatWasTyped) {
  start();
  ASSERT_TRUE(showsPrompt(work()));
  session().sendBytes("printf %s " + Typed + " > f\r");
  ASSERT_TRUE(eventually([&] { return readFile(work() / "f") == Typed; }, "f holds x€ł日"));
  session().sendBytes("x");
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(TypedTextTest, CdEntersADirectoryNamedBeyondTheCodePage) {
  const std::string lodz =
      "\xC5\x81\xC3\xB3"
      "d\xC5\xBA";  // Łódź
  fs::create_directories(work() / lodz);
  writeMenu("-menue-", "Dort", {{"Drinnen", '1', {"true"}}}, work() / lodz);
  start();
  ASSERT_TRUE(showsPrompt(work()));
  session().sendBytes("cd " + lodz + "\r");
  ASSERT_TRUE(shows(" Drinnen "));
  EXPECT_FALSE(session().screenContains("Verzeichnis nicht gefunden"));
  EXPECT_TRUE(endsWithEsc());
}

TEST_F(TypedTextTest, AddingToAUtf8MenuStoresEveryCharacter) {
  writeMenu("-menue-", "Start", {{"\xC3\x96l", '1', {"true"}}});
  start();
  ASSERT_TRUE(shows(" \xC3\x96l "));
  ASSERT_TRUE(entered("Men\xC3\xBC+"));
  ASSERT_TRUE(shows("Anzeigetext >"));
  session().sendBytes(Typed + "\r");
  ASSERT_TRUE(shows(" Eingabe >_"));
  session().sendBytes("1");
  ASSERT_TRUE(shows("Befehlszeile"));
  session().sendBytes("printf %s " + Typed + "\r\r");
  ASSERT_TRUE(eventually(
      [&] {
        const auto text = readFile(work() / "-menue-");
        return text && text->find("\r\n" + Typed + "\r\n") != std::string::npos &&
               text->find("\t1printf %s " + Typed + "\r\n") != std::string::npos;
      },
      "the item stored in UTF-8"));
  EXPECT_TRUE(endsWithEsc());
}

}  // namespace
}  // namespace menue::e2e
