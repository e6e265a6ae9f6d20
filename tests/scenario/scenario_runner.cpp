// The scenario runner: setup verbs, the feeding of input while the program
// waits, and the expectations on screen, files, starts, pauses and state.
#include "tests/scenario/scenario_runner.h"

#include <map>
#include <stdexcept>

#include "session/command_loop.h"

namespace menue::scenario {

namespace {

std::string rtrim(std::string text) {
  auto end = text.find_last_not_of(' ');
  text.resize(end == std::string::npos ? 0 : end + 1);
  return text;
}

int number(const std::string& text) {
  return static_cast<int>(std::stol(text, nullptr, 0));
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

std::vector<std::string> Runner::run() {
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
  } catch (const std::exception& error) {
    failures_.push_back(scenario_.name + ": " + error.what());
    return failures_;
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
  return failures_;
}

bool Runner::feed() {
  // What "expect printed" looks at: the output since the last input.
  written_ += virtual_.console.takeWritten();
  if (records_.empty()) {
    const auto& steps = scenario_.steps;
    while (next_ < steps.size() && records_.empty()) {
      const Step& step = steps[next_++];
      if (isEvent(step)) {
        auto records = recordsFor(step);
        records_.assign(records.begin(), records.end());
      } else {
        apply(step);
      }
    }
  }
  if (records_.empty()) return false;
  virtual_.console.push(records_.front());
  written_.clear();
  records_.pop_front();
  return true;
}

void Runner::apply(const Step& step) {
  if (step.verb == "expect") {
    expect(step);
  } else {
    setup(step);
  }
}

void Runner::setup(const Step& step) {
  const auto& args = step.args;
  VirtualFileSystem& files = virtual_.files;
  auto arg = [&](std::size_t i) -> const std::string& {
    if (i >= args.size())
      throw std::runtime_error("line " + std::to_string(step.line) + ": " + step.verb +
                               " needs more arguments");
    return args[i];
  };
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
    files.putFile(arg(0), fileBytes(step.body), attributes);
  } else if (step.verb == "rm") {
    files.deleteFile(arg(0));
  } else if (step.verb == "drive") {
    files.addDrive(arg(0)[0], !(args.size() > 1 && args[1] == "notready"));
  } else if (step.verb == "fail" || step.verb == "failalways") {
    auto op = fileOps().find(arg(0));
    if (op == fileOps().end()) throw std::runtime_error("unknown file operation " + arg(0));
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
    throw std::runtime_error("line " + std::to_string(step.line) + ": unknown verb " + step.verb);
  }
}

void Runner::expect(const Step& step) {
  const auto& args = step.args;
  if (args.empty())
    throw std::runtime_error("line " + std::to_string(step.line) + ": empty expect");
  const std::string& what = args[0];
  auto arg = [&](std::size_t i) -> const std::string& {
    if (i >= args.size())
      throw std::runtime_error("line " + std::to_string(step.line) + ": expect " + what +
                               " needs more arguments");
    return args[i];
  };
  VirtualConsole& console = virtual_.console;
  auto compare = [&](const std::string& actual, const std::string& expected, bool screen) {
    if (actual != expected) {
      fail(step, "expected \"" + printable(expected) + "\"\n   got \"" + printable(actual) + "\"",
           screen);
    }
  };
  if (what == "row") {
    int row = number(arg(1));
    compare(rtrim(console.rowText(row - 1)), rtrim(consoleBytes(arg(2))), true);
  } else if (what == "text") {
    int row = number(arg(1));
    int column = number(arg(2));
    std::string expected = consoleBytes(arg(3));
    compare(console.rowText(row - 1).substr(static_cast<std::size_t>(column - 1), expected.size()),
            expected, true);
  } else if (what == "attrs") {
    int row = number(arg(1));
    int column = number(arg(2));
    std::string actual;
    for (std::size_t i = 0; i < arg(3).size(); ++i) {
      actual += attributeLetter(console.cellAttribute(row - 1, column - 1 + static_cast<int>(i)));
    }
    compare(actual, arg(3), true);
  } else if (what == "screen") {
    int row = 1;
    std::string expected = step.body;
    std::size_t start = 0;
    while (start < expected.size()) {
      std::size_t end = expected.find('\n', start);
      std::string line = expected.substr(start, end - start);
      start = end + 1;
      compare(rtrim(console.rowText(row - 1)), rtrim(consoleBytes(line)), true);
      ++row;
    }
  } else if (what == "printed") {
    const std::string& written = written_;
    if (written.find(consoleBytes(arg(1))) == std::string::npos) {
      fail(step, "not printed: \"" + printable(consoleBytes(arg(1))) + "\"\n   printed: \"" +
                     printable(written) + "\"");
    }
  } else if (what == "cursor") {
    CellPos cursor = console.cursor();
    compare(std::to_string(cursor.row + 1) + " " + std::to_string(cursor.column + 1),
            arg(1) + " " + arg(2), false);
  } else if (what == "cursorvisible") {
    compare(console.cursorShape().visible ? "yes" : "no", arg(1), false);
  } else if (what == "file") {
    auto actual = virtual_.files.file(arg(1));
    std::string expected = step.hasBody ? fileBytes(step.body) : consoleBytes(arg(2));
    if (!actual) {
      fail(step, "no file " + arg(1));
    } else {
      compare(*actual, expected, false);
    }
  } else if (what == "nofile") {
    if (virtual_.files.file(arg(1))) fail(step, "file " + arg(1) + " exists");
  } else if (what == "started") {
    const auto& started = virtual_.processes.started;
    if (startsSeen_ >= started.size()) {
      fail(step, "nothing more was started");
    } else {
      const StartedProcess& process = started[startsSeen_++];
      compare(process.commandLine + (process.wait ? " wait" : " nowait"),
              consoleBytes(arg(1)) + " " + arg(2), false);
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
      compare(std::to_string(pauses[pausesSeen_++]), arg(1), false);
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
    compare(directory, arg(1), false);
  } else if (what == "menuname") {
    compare(program_.state.currentMenuName, arg(1), false);
  } else if (what == "highlighted") {
    compare(std::to_string(program_.state.highlightedItem), arg(1), false);
  } else if (what == "inputline") {
    compare(program_.state.inputLine, consoleBytes(arg(1)), false);
  } else if (what == "inputmode") {
    compare(std::to_string(console.inputMode()), std::to_string(number(arg(1))), false);
  } else if (what == "launchscript") {
    compare(program_.state.launchScriptPath, arg(1), false);
  } else {
    throw std::runtime_error("line " + std::to_string(step.line) + ": unknown expect " + what);
  }
}

void Runner::fail(const Step& step, const std::string& message, bool withScreen) {
  std::string text = scenario_.name + ", line " + std::to_string(step.line) + ": expect";
  for (const auto& arg : step.args) text += " " + arg;
  text += "\n   " + message;
  if (withScreen) text += "\n" + screenDump();
  failures_.push_back(text);
}

std::string Runner::screenDump() const {
  std::string dump = "   screen:\n";
  const VirtualConsole& console = virtual_.console;
  for (int row = 0; row < console.height(); ++row) {
    std::string number = std::to_string(row + 1);
    dump += "   " + std::string(3 - number.size(), ' ') + number + "|" +
            printable(rtrim(console.rowText(row))) + "\n";
  }
  return dump;
}

}  // namespace menue::scenario
