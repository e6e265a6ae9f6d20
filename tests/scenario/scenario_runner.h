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

// An expectation that did not hold, or a line that could not be carried out.
struct Failure {
  int line = 0;
  std::string message;
};

class Runner {
 public:
  explicit Runner(const Scenario& scenario);
  // Runs the scenario; returns the failures, empty when everything held.
  std::vector<Failure> run();

 private:
  void play();
  bool feed();
  void apply(const Step& step);
  void setup(const Step& step);
  void expect(const Step& step);
  void expectCells(const Step& step);
  std::string row(const Step& step, int row) const;
  void fail(const Step& step, const std::string& message, bool withScreen = false);
  void report(const Step& step, const std::string& details);
  std::string screenDump() const;

  const Scenario& scenario_;
  VirtualPlatform virtual_;
  Program program_;
  std::size_t next_ = 0;
  std::deque<InputRecord> records_;
  // Whether records_ arrive together (a burst) rather than one per wait.
  bool together_ = false;
  bool ended_ = false;
  std::size_t startsSeen_ = 0;
  std::size_t pausesSeen_ = 0;
  std::vector<Failure> failures_;
  std::string written_;
};

}  // namespace menue::scenario
