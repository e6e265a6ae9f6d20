// One test per scenario of the files under tests/scenarios/, named
// <file>_<scenario>; a file that does not parse is one failing test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/scenario/scenario_runner.h"

namespace menue::scenario {
namespace {

struct ScenarioCase {
  std::string path;  // of the file, as failures name it
  std::string name;  // the test's: file and scenario
  Scenario scenario;
  std::optional<LineError> parseError;
};

// Test names allow letters, digits and underscores only.
std::string testName(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return text;
}

std::vector<ScenarioCase> scenarioCases() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(MENUE_SCENARIO_DIR)) {
    if (entry.path().extension() == ".scn") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<ScenarioCase> cases;
  for (const auto& file : files) {
    std::ifstream input(file, std::ios::binary);
    std::stringstream text;
    text << input.rdbuf();
    const std::string stem = file.stem().string();
    try {
      std::vector<Scenario> scenarios = parseScenarios(text.str());
      if (scenarios.empty()) throw LineError(1, "no scenario in the file");
      for (Scenario& scenario : scenarios) {
        std::string name = testName(stem + "_" + scenario.name);
        cases.push_back({file.string(), std::move(name), std::move(scenario), std::nullopt});
      }
    } catch (const LineError& error) {
      cases.push_back({file.string(), testName(stem) + "_does_not_parse", {}, error});
    }
  }
  return cases;
}

// What --gtest_list_tests shows beside each name.
void PrintTo(const ScenarioCase& c, std::ostream* out) {
  *out << c.path << ":" << (c.parseError ? c.parseError->line : c.scenario.line);
}

class ScenarioTest : public testing::TestWithParam<ScenarioCase> {};

TEST_P(ScenarioTest, Holds) {
  const ScenarioCase& c = GetParam();
  if (c.parseError) {
    ADD_FAILURE_AT(c.path.c_str(), c.parseError->line) << c.parseError->what();
    return;
  }
  for (const Failure& failure : Runner(c.scenario).run()) {
    ADD_FAILURE_AT(c.path.c_str(), failure.line) << failure.message;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, testing::ValuesIn(scenarioCases()),
                         [](const testing::TestParamInfo<ScenarioCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace menue::scenario
