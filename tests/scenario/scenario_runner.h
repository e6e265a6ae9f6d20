// Runs one scenario: the program on a fresh virtual backend, fed one input
// record whenever it waits, with the expectations checked in between.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/virtual/virtual_platform.h"
#include "session/program.h"
#include "tests/scenario/scenario.h"

namespace menue::scenario {

bool isEvent(const Step& step);
std::vector<InputRecord> recordsFor(const Step& step);

class Runner {
 public:
  explicit Runner(const Scenario& scenario);
  // Runs the scenario; returns the failures, empty when everything held.
  std::vector<std::string> run();

 private:
  bool feed();
  void apply(const Step& step);
  void setup(const Step& step);
  void expect(const Step& step);
  void fail(const Step& step, const std::string& message, bool withScreen = false);
  std::string screenDump() const;

  const Scenario& scenario_;
  VirtualPlatform virtual_;
  Program program_;
  std::size_t next_ = 0;
  std::deque<InputRecord> records_;
  bool ended_ = false;
  std::size_t startsSeen_ = 0;
  std::size_t pausesSeen_ = 0;
  std::vector<std::string> failures_;
  std::string written_;
};

}  // namespace menue::scenario
