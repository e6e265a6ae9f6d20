// Renders the menu screen of the demo menus as an SVG picture for the README:
// the program runs on the virtual console with the files of examples/demo,
// the cursor moves down twice, and the cells are drawn in the console's
// colours with the code page 850 glyphs the terminal shows.
#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "interactive/command_loop.h"
#include "platform/utf8.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"

namespace {

using namespace menue;

// The sixteen console colours.
constexpr std::array<const char*, 16> Palette{
    "#000000", "#0000aa", "#00aa00", "#00aaaa", "#aa0000", "#aa00aa", "#aa5500", "#aaaaaa",
    "#555555", "#5555ff", "#55ff55", "#55ffff", "#ff5555", "#ff55ff", "#ffff55", "#ffffff"};

std::string escapeXml(std::string_view glyph) {
  if (glyph == "&") return "&amp;";
  if (glyph == "<") return "&lt;";
  if (glyph == ">") return "&gt;";
  return std::string(glyph);
}

std::string svgOf(const VirtualConsole& console) {
  constexpr int CellWidth = 9;
  constexpr int CellHeight = 18;
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << console.width() * CellWidth
      << "\" height=\"" << console.height() * CellHeight << "\" font-family=\"monospace\" "
      << "font-size=\"15\">\n";
  for (int row = 0; row < console.height(); ++row) {
    // One rectangle per run of one background, one text per glyph.
    for (int column = 0; column < console.width();) {
      int background = console.cellAttribute(row, column) >> 4;
      int end = column;
      while (end < console.width() && (console.cellAttribute(row, end) >> 4) == background) ++end;
      svg << "<rect x=\"" << column * CellWidth << "\" y=\"" << row * CellHeight << "\" width=\""
          << (end - column) * CellWidth << "\" height=\"" << CellHeight << "\" fill=\""
          << Palette[static_cast<std::size_t>(background)] << "\"/>";
      column = end;
    }
    for (int column = 0; column < console.width(); ++column) {
      const char32_t character = console.screen().cell(row, column).ch;
      if (character == U' ' || character == WideContinuation) continue;
      std::string glyph;
      appendUtf8(glyph, character);
      svg << "<text x=\"" << column * CellWidth << "\" y=\"" << row * CellHeight + 14
          << "\" fill=\"" << Palette[console.cellAttribute(row, column) & 15u] << "\">"
          << escapeXml(glyph) << "</text>";
    }
    svg << "\n";
  }
  svg << "</svg>\n";
  return svg.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: menue_render <examples/demo directory> <output.svg>\n";
    return 2;
  }
  VirtualPlatform machine;
  machine.files.makeDirectory("C:\\Tools");
  machine.files.changeDirectory("C:\\Tools");
  machine.environment.values = {"TMP=C:\\TEMP"};
  for (const auto& entry : std::filesystem::directory_iterator(argv[1])) {
    std::ifstream input(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << input.rdbuf();
    machine.files.putFile(entry.path().filename().string(), bytes.str());
  }
  int downs = 2;
  machine.console.onIdle = [&] {
    if (downs-- == 0) return false;
    InputRecord record;
    record.kind = RecordKind::Key;
    record.key = KeyRecord{true, 0, 80, 0, 0};
    machine.console.push(record);
    return true;
  };
  Program program(machine.platform());
  try {
    runProgram(program);
  } catch (const ScriptExhausted&) {
  }
  std::ofstream(argv[2]) << svgOf(machine.console);
  return 0;
}
