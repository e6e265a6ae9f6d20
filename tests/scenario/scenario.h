// Scenario files: the whole program on the virtual backend, driven by a
// small script of setup lines, input events and expectations.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace menue::scenario {

struct Step {
  int line = 0;      // line number in the file
  std::string text;  // the line as written, for failure messages
  std::string verb;  // "key", "text", "click", "expect", "menu", ...
  std::vector<std::string> args;
  std::string body;  // the bytes of a <<END block, if any
  bool hasBody = false;
};

struct Scenario {
  std::string name;
  int line = 0;  // of the "scenario" line
  std::vector<Step> steps;
};

// A line that cannot be read or carried out; reported at that line.
struct LineError : std::runtime_error {
  LineError(int line, const std::string& message) : std::runtime_error(message), line(line) {}
  int line;
};

// Parses a scenario file; throws LineError.
std::vector<Scenario> parseScenarios(const std::string& text);

// UTF-8 letters of a quoted console text to OEM code page 850 bytes (ü 0x81,
// the frame glyphs 0xBA..), \xHH and \t escapes resolved.
std::string consoleBytes(const std::string& text);
// Escapes resolved, the UTF-8 letters as written: the system form of the
// virtual backend.
std::string systemBytes(const std::string& text);
// UTF-8 letters of a file block to Windows-1252 bytes (ü 0xFC), or kept
// with `utf8`; escapes resolved, each line ended by CR LF unless it ends in
// \c.
std::string fileBytes(const std::string& block, bool utf8 = false);
// Printable form of bytes for failure messages.
std::string printable(const std::string& bytes);
// Console cells as a scenario file writes them: the OEM letters and frame
// glyphs back in UTF-8, other bytes outside ASCII as \xHH.
std::string cellText(const std::string& cells);

}  // namespace menue::scenario
