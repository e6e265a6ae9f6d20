// The command line: one table of argument lists and what each asks for,
// the conventions' corners included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/command_line_options.h"

namespace menue {
namespace {

using Action = CommandAction;

struct OptionsCase {
  std::vector<std::string> arguments;
  Action action = Action::RunMenu;
  std::vector<std::string> paths{};
  bool recursive = false;
  std::string errorSubject{};
};

const std::vector<OptionsCase> Cases = {
    {{}, Action::RunMenu},
    {{"projekte"}, Action::RunMenu, {"projekte"}},
    {{"--help"}, Action::Help},
    {{"-h"}, Action::Help},
    {{"--version"}, Action::Version},
    // Help wins over the rest of a sound line, an error over help.
    {{"--version", "--help", "dir"}, Action::Help, {"dir"}},
    {{"--help", "--bogus"}, Action::Error, {}, false, "--bogus"},
    {{"--check"}, Action::Check},
    {{"--check", "-r", "a", "b"}, Action::Check, {"a", "b"}, true},
    {{"a", "-r", "--check"}, Action::Check, {"a"}, true},
    {{"--check", "-rh"}, Action::Help, {}, true},
    {{"-rx", "--check"}, Action::Error, {}, true, "-x"},
    {{"--bogus"}, Action::Error, {}, false, "--bogus"},
    {{"--help=1"}, Action::Error, {}, false, "--help=1"},
    {{"-r"}, Action::Error, {}, true, "-r"},
    {{"a", "b"}, Action::Error, {"a", "b"}, false, "b"},
    // "--" ends the options, once; "-" alone is a path.
    {{"--", "--help"}, Action::RunMenu, {"--help"}},
    {{"--check", "--", "-menue-", "--"}, Action::Check, {"-menue-", "--"}},
    {{"-"}, Action::RunMenu, {"-"}},
    // A MenuFile's name is a path, not a group of options; "-m" is not.
    {{"--check", "-menue-", "-menue07-", "-menue100-"},
     Action::Check,
     {"-menue-", "-menue07-", "-menue100-"}},
    {{"--check", "-menue"}, Action::Error, {}, false, "-m"},
};

TEST(CommandLineOptionsTest, Table) {
  for (const OptionsCase& c : Cases) {
    std::string shown;
    for (const auto& argument : c.arguments) shown += " " + argument;
    SCOPED_TRACE("menue" + shown);
    const CommandLine line = parseCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.paths, c.paths);
    EXPECT_EQ(line.recursive, c.recursive);
    EXPECT_EQ(line.errorSubject, c.errorSubject);
    // Every error says where help is; nothing else carries an error.
    EXPECT_EQ(line.error.find("menue --help") != std::string::npos, c.action == Action::Error);
    // An unknown option's message says how to name a file beginning with "-".
    if (line.error.starts_with("unbekannte Option")) {
      EXPECT_NE(line.error.find("nach -- oder als ./-name"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace menue
