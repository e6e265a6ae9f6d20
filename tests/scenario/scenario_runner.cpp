// The scenario runner: setup verbs, the feeding of input while the program
// waits, and the expectations on screen, files, starts, pauses and state.
#include "tests/scenario/scenario_runner.h"

#include <map>
#include <sstream>

#include "interactive/command_loop.h"
#include "tests/scenario/scenario_diff.h"

namespace menue::scenario {

namespace {

int number(const std::string& text) {
  return static_cast<int>(std::stol(text, nullptr, 0));
}

const std::string& argument(const Step& step, std::size_t i) {
  if (i >= step.args.size()) {
    std::string what = step.verb == "expect" && !step.args.empty() ? " " + step.args[0] : "";
    throw LineError(step.line, step.verb + what + " needs more arguments");
  }
  return step.args[i];
}

// Whether a word follows the verb's first argument ("file PATH utf8").
bool hasWord(const Step& step, const std::string& word) {
  for (std::size_t i = 1; i < step.args.size(); ++i) {
    if (step.args[i] == word) return true;
  }
  return false;
}

const std::map<std::string, FileOp>& fileOps() {
  static const std::map<std::string, FileOp> Ops{
      {"read", FileOp::Read},           {"replace", FileOp::Replace},
      {"createnew", FileOp::CreateNew}, {"delete", FileOp::Delete},
      {"move", FileOp::Move},           {"chdir", FileOp::ChangeDirectory},
      {"chdrive", FileOp::ChangeDrive}, {"cwd", FileOp::CurrentDirectory},
  };
  return Ops;
}

// One letter per cell attribute in "expect attrs".
char attributeLetter(Attribute attr) {
  switch (attr) {
    case 0x17:
      return 'N';  // normal: 7 on 1
    case 0x71:
      return 'H';  // highlighted item: 1 on 7
    case 0x11:
      return 'M';  // highlight markers: 1 on 1
    case 0x07:
      return 'D';  // the console's start colours: 7 on 0
    default:
      return '?';
  }
}

}  // namespace

Runner::Runner(const Scenario& scenario) : scenario_(scenario), program_(virtual_.platform()) {}

std::vector<Failure> Runner::run() {
  try {
    play();
  } catch (const LineError& error) {
    failures_.push_back({error.line, error.what()});
  } catch (const std::exception& error) {
    failures_.push_back({scenario_.line, std::string("the program threw: ") + error.what()});
  }
  return failures_;
}

void Runner::play() {
  virtual_.files.makeDirectory("C:\\work");
  virtual_.files.makeDirectory("C:\\TEMP");
  virtual_.files.changeDirectory("C:\\work");
  virtual_.environment.values = {"TMP=C:\\TEMP"};
  bool envGiven = false;
  const auto& steps = scenario_.steps;
  while (next_ < steps.size() && !isEvent(steps[next_]) && steps[next_].verb != "expect") {
    if (steps[next_].verb == "env" && !envGiven) {
      virtual_.environment.values.clear();
      envGiven = true;
    }
    apply(steps[next_++]);
  }
  virtual_.console.onIdle = [this] { return feed(); };
  try {
    runProgram(program_);
    ended_ = true;
  } catch (const ScriptExhausted&) {
  }
  written_ += virtual_.console.takeWritten();
  while (next_ < steps.size()) {
    const Step& step = steps[next_++];
    if (isEvent(step)) {
      fail(step, "input after the program ended", true);
      break;
    }
    apply(step);
  }
}

bool Runner::feed() {
  // What "expect printed" looks at: the output since the last input.
  written_ += virtual_.console.takeWritten();
  while (records_.empty() && next_ < scenario_.steps.size()) apply(scenario_.steps[next_++]);
  if (records_.empty()) return false;
  do {
    virtual_.console.push(records_.front());
    records_.pop_front();
  } while (together_ && !records_.empty());
  written_.clear();
  return true;
}

void Runner::apply(const Step& step) {
  try {
    if (isEvent(step)) {
      auto records = recordsFor(step);
      records_.assign(records.begin(), records.end());
      together_ = step.verb == "burst";
    } else if (step.verb == "expect") {
      expect(step);
    } else {
      setup(step);
    }
  } catch (const LineError&) {
    throw;
  } catch (const std::exception& error) {
    // A number that does not read, and the like: the line's fault.
    throw LineError(step.line, error.what());
  }
}

void Runner::setup(const Step& step) {
  const auto& args = step.args;
  VirtualFileSystem& files = virtual_.files;
  auto arg = [&](std::size_t i) -> const std::string& { return argument(step, i); };
  if (step.verb == "start" || step.verb == "chdir") {
    files.makeDirectory(arg(0));
    files.changeDirectory(arg(0));
  } else if (step.verb == "env") {
    virtual_.environment.values.push_back(arg(0));
  } else if (step.verb == "noenv") {
    virtual_.environment.values.clear();
  } else if (step.verb == "dir") {
    files.makeDirectory(arg(0));
  } else if (step.verb == "rmdir") {
    files.removeDirectory(arg(0));
  } else if (step.verb == "file" || step.verb == "menu") {
    std::uint32_t attributes = 0;
    for (std::size_t i = 1; i < args.size(); ++i) {
      if (args[i] == "hidden") attributes |= VirtualFileSystem::Hidden;
      if (args[i] == "system") attributes |= VirtualFileSystem::System;
      if (args[i] == "readonly") attributes |= VirtualFileSystem::ReadOnly;
    }
    files.putFile(arg(0), fileBytes(step.body, hasWord(step, "utf8")), attributes);
  } else if (step.verb == "foreign") {
    if (hasWord(step, "whenopened")) {
      files.setTrustWhenOpened(arg(0), FileTrust::OtherOwner);
    } else {
      files.setTrust(arg(0), FileTrust::OtherOwner);
    }
  } else if (step.verb == "otherswrite") {
    files.setTrust(arg(0), FileTrust::OthersMayWrite);
  } else if (step.verb == "utf8menus") {
    virtual_.platform().rules.createdMenusInUtf8 = true;
  } else if (step.verb == "rm") {
    files.deleteFile(arg(0));
  } else if (step.verb == "drive") {
    files.addDrive(arg(0)[0], !(args.size() > 1 && args[1] == "notready"));
  } else if (step.verb == "fail" || step.verb == "failalways") {
    auto op = fileOps().find(arg(0));
    if (op == fileOps().end()) throw LineError(step.line, "unknown file operation " + arg(0));
    auto code = static_cast<PlatformCode>(number(arg(1)));
    if (step.verb == "fail") {
      files.failNext(op->second, code, args.size() > 2 ? number(args[2]) : 0);
    } else {
      files.failAlways(op->second, code);
    }
  } else if (step.verb == "procfail") {
    virtual_.processes.failWith = static_cast<PlatformCode>(number(arg(0)));
  } else if (step.verb == "missing") {
    virtual_.processes.missing.insert(arg(0));
  } else {
    throw LineError(step.line, "unknown verb " + step.verb);
  }
}

void Runner::expect(const Step& step) {
  const std::string& what = argument(step, 0);
  auto arg = [&](std::size_t i) -> const std::string& { return argument(step, i); };
  if (what == "row" || what == "text" || what == "attrs" || what == "screen") {
    expectCells(step);
    return;
  }
  VirtualConsole& console = virtual_.console;
  auto compare = [&](const std::string& actual, const std::string& expected) {
    if (actual != expected) {
      fail(step, "expected \"" + printable(expected) + "\"\n   got \"" + printable(actual) + "\"");
    }
  };
  if (what == "printed") {
    const std::string& written = written_;
    if (written.find(consoleBytes(arg(1))) == std::string::npos) {
      fail(step, "not printed: \"" + printable(consoleBytes(arg(1))) + "\"\n   printed: \"" +
                     printable(written) + "\"");
    }
  } else if (what == "cursor") {
    CellPos cursor = console.cursor();
    compare(std::to_string(cursor.row + 1) + " " + std::to_string(cursor.column + 1),
            arg(1) + " " + arg(2));
  } else if (what == "cursorvisible") {
    compare(console.cursorShape().visible ? "yes" : "no", arg(1));
  } else if (what == "file") {
    auto actual = virtual_.files.file(arg(1));
    std::string expected =
        step.hasBody ? fileBytes(step.body, hasWord(step, "utf8")) : consoleBytes(arg(2));
    if (!actual) {
      fail(step, "no file " + arg(1));
    } else {
      compare(*actual, expected);
    }
  } else if (what == "nofile") {
    if (virtual_.files.file(arg(1))) fail(step, "file " + arg(1) + " exists");
  } else if (what == "started") {
    const auto& started = virtual_.processes.started;
    if (startsSeen_ >= started.size()) {
      fail(step, "nothing more was started");
    } else {
      const StartedProcess& process = started[startsSeen_++];
      // With the word "script": it was run as a script by its path.
      const bool asScript = hasWord(step, "script");
      compare(process.commandLine + (process.wait ? " wait" : " nowait") +
                  (asScript ? (process.script ? " script" : " command line") : ""),
              systemBytes(arg(1)) + " " + arg(2) + (asScript ? " script" : ""));
    }
  } else if (what == "nostart") {
    if (startsSeen_ < virtual_.processes.started.size()) {
      fail(step, "started " + virtual_.processes.started[startsSeen_].commandLine);
    }
  } else if (what == "paused") {
    const auto& pauses = virtual_.clock.pauses;
    if (pausesSeen_ >= pauses.size()) {
      fail(step, "no more pauses");
    } else {
      compare(std::to_string(pauses[pausesSeen_++]), arg(1));
    }
  } else if (what == "nopause") {
    if (pausesSeen_ < virtual_.clock.pauses.size()) {
      fail(step, "paused " + std::to_string(virtual_.clock.pauses[pausesSeen_]));
    }
  } else if (what == "exit") {
    if (!ended_) fail(step, "the program is still running", true);
  } else if (what == "running") {
    if (ended_) fail(step, "the program has ended", true);
  } else if (what == "cwd") {
    std::string directory;
    virtual_.files.currentDirectory(directory);
    compare(directory, arg(1));
  } else if (what == "menuname") {
    compare(program_.state.currentMenuName, arg(1));
  } else if (what == "highlighted") {
    compare(std::to_string(program_.state.highlightedItem), arg(1));
  } else if (what == "inputline") {
    compare(program_.state.inputLine, systemBytes(arg(1)));
  } else if (what == "inputmode") {
    compare(std::to_string(console.inputMode()), std::to_string(number(arg(1))));
  } else if (what == "launchscript") {
    compare(program_.state.launchScriptPath, arg(1));
  } else {
    throw LineError(step.line, "unknown expect " + what);
  }
}

// The screen expectations: the rows they look at, expected and found, so
// that a failure shows the rows side by side.
void Runner::expectCells(const Step& step) {
  const std::string& what = step.args[0];
  std::vector<RowPair> rows;
  if (what == "screen") {
    std::istringstream lines(step.body);
    std::string line;
    for (int n = 1; std::getline(lines, line); ++n) {
      rows.push_back({n, consoleBytes(line), row(step, n)});
    }
  } else {
    const int n = number(argument(step, 1));
    const std::string actual = row(step, n);
    if (what == "row") {
      rows.push_back({n, consoleBytes(argument(step, 2)), actual});
    } else {
      const int column = number(argument(step, 2));
      const std::string& given = argument(step, 3);
      const std::string cells = what == "text" ? consoleBytes(given) : given;
      if (column < 1 || column - 1 + static_cast<int>(cells.size()) > virtual_.console.width()) {
        throw LineError(step.line, "cells off the screen's columns");
      }
      const auto at = static_cast<std::size_t>(column - 1);
      if (what == "text") {
        rows.push_back({n, std::string(actual).replace(at, cells.size(), cells), actual});
      } else {
        std::string found;
        for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
          found += attributeLetter(virtual_.console.cellAttribute(n - 1, column - 1 + i));
        }
        // The row's text above its attribute letters.
        rows.push_back({n, actual, actual});
        rows.push_back({n, std::string(at, ' ') + cells, std::string(at, ' ') + found});
      }
    }
  }
  std::string diff = rowsDiff(rows);
  if (!diff.empty()) report(step, diff);
}

std::string Runner::row(const Step& step, int row) const {
  if (row < 1 || row > virtual_.console.height()) {
    throw LineError(step.line, "row " + std::to_string(row) + " is off the screen");
  }
  return virtual_.console.rowText(row - 1);
}

void Runner::fail(const Step& step, const std::string& message, bool withScreen) {
  report(step, "   " + message + "\n" + (withScreen ? screenDump() : ""));
}

void Runner::report(const Step& step, const std::string& details) {
  failures_.push_back({step.line, step.text + "\n" + details});
}

std::string Runner::screenDump() const {
  std::vector<std::string> rows;
  for (int row = 0; row < virtual_.console.height(); ++row) {
    rows.push_back(virtual_.console.rowText(row));
  }
  return "   screen:\n" + screenPicture(rows);
}

}  // namespace menue::scenario
