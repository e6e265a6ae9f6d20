// Which single command lines need the shell: a plain program start stays
// one (so a missing program keeps its own message), and every line whose
// meaning the shell makes goes to it.
#include "platform/shell_syntax.h"

#include <gtest/gtest.h>

namespace menue {
namespace {

TEST(ShellSyntaxTest, LinesThatNeedTheShell) {
  const std::vector<std::pair<std::string_view, bool>> cases = {
      // Plain words: started directly.
      {"ls -l /tmp", false},
      {"make -j2 install", false},
      {"gibtsnicht --x", false},
      {"prog a=b", false},  // an argument with '=' is no assignment
      {"./run.sh --name=x", false},
      {"echo hallo", false},
      {"true", false},
      {"test -f x", false},  // a program of that name does the same
      {"  vi  notes.txt", false},
      {"", false},
      {"caseless", false},  // a keyword only as the whole word
      {"=x", false},
      // Characters the shell reads.
      {"echo $HOME", true},
      {"ls *.txt", true},
      {"ls ?.c", true},
      {"ls [ab].c", true},
      {"ls | wc -l", true},
      {"make > log 2>&1", true},
      {"a; b", true},
      {"a && b", true},
      {"sleep 9 &", true},
      {"echo `date`", true},
      // Double quotes group words in a direct start as in the shell.
      {"touch \"a  b\"", false},
      {"\"My Script.cmd\" eins", false},
      {"echo \"$HOME\"", true},
      {"echo 'a'", true},
      {"echo a\\ b", true},
      {"ls ~/x", true},
      {"(cd x)", true},
      {"echo # Kommentar", true},
      {"echo {a,b}", true},
      // An assignment, a built-in or keyword as the first word.
      {"LANG=C sort x", true},
      {"X=1", true},
      {"cd", true},
      {"export A", true},
      {"  exit 3", true},
      {". ./env", true},
      {"if", true},
      {"while\ttrue", true},
      {"umask 077", true},
  };
  for (const auto& [line, shell] : cases) {
    SCOPED_TRACE(std::string(line));
    EXPECT_EQ(needsShell(line), shell);
  }
}

TEST(ShellSyntaxTest, OnlyWherePlatformSaysSo) {
  PathRules windows;
  PathRules posix;
  posix.shellForShellSyntax = true;
  EXPECT_FALSE(runsThroughShell("dir | more", windows));
  EXPECT_TRUE(runsThroughShell("ls | more", posix));
  EXPECT_FALSE(runsThroughShell("ls -l", posix));
}

}  // namespace
}  // namespace menue
