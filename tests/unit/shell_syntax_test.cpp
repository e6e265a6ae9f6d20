// Which single command lines need the shell: a plain program start stays
// one, every line whose meaning the shell makes goes to it.
#include "platform/shell_syntax.h"

#include <gtest/gtest.h>

namespace menue {
namespace {

TEST(ShellSyntaxTest, LinesThatNeedTheShell) {
  // Plain words, quoted ones too: started directly. An argument with '=' is
  // no assignment; test and echo are programs as well.
  const std::vector<std::string_view> direct = {
      "ls -l /tmp", "gibtsnicht --x", "prog a=b", "test -f x",      "  vi  notes.txt",
      "",           "caseless",       "=x",       "touch \"a  b\"", "\"My Script.cmd\" eins"};
  // Characters the shell reads; an assignment, a built-in or a keyword as
  // the first word.
  const std::vector<std::string_view> shell = {"echo $HOME",
                                               "ls *.txt",
                                               "ls ?.c",
                                               "ls [ab].c",
                                               "ls | wc -l",
                                               "make > log 2>&1",
                                               "a; b",
                                               "a && b",
                                               "echo `date`",
                                               "echo \"$HOME\"",
                                               "echo 'a'",
                                               "echo a\\ b",
                                               "ls ~/x",
                                               "(cd x)",
                                               "echo # x",
                                               "echo {a,b}",
                                               "LANG=C sort x",
                                               "X=1",
                                               "cd",
                                               "  exit 3",
                                               ". ./env",
                                               "if",
                                               "while\ttrue",
                                               "umask 077"};
  for (const std::string_view line : direct) EXPECT_FALSE(needsShell(line)) << line;
  for (const std::string_view line : shell) EXPECT_TRUE(needsShell(line)) << line;
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
