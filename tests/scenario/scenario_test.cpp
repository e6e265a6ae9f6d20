// One test per scenario file under tests/scenarios/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/scenario/scenario_runner.h"

namespace menue::scenario {
namespace {

std::vector<std::string> scenarioFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(MENUE_SCENARIO_DIR)) {
    if (entry.path().extension() == ".scn") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class ScenarioFile : public testing::TestWithParam<std::string> {};

TEST_P(ScenarioFile, Holds) {
  std::ifstream input(std::string(MENUE_SCENARIO_DIR) + "/" + GetParam(), std::ios::binary);
  std::stringstream text;
  text << input.rdbuf();
  for (const Scenario& scenario : parseScenarios(text.str())) {
    Runner runner(scenario);
    for (const std::string& failure : runner.run()) ADD_FAILURE() << failure;
  }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioFile, testing::ValuesIn(scenarioFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 4);
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                               '_');
                           return name;
                         });

}  // namespace
}  // namespace menue::scenario
