// The mirror of the screen buffer on the terminal: remembers what the
// terminal shows and, when asked, produces the bytes that bring it up to
// date, sending only the cells that changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/screen_buffer.h"

namespace menue {

class VtMirror {
 public:
  // Appends to `out` what makes the terminal show `screen`: the changed
  // cells (each byte through the code page 850 glyph table), then the
  // cursor's position and visibility where they differ.
  void render(const ScreenBuffer& screen, std::string& out);

  // Another program wrote to the terminal: its picture and modes are
  // unknown. Cells the buffer changes from now on are sent; the others are
  // left as the program left them, so its output stays readable until the
  // menu overwrites it.
  void forgetPicture(const ScreenBuffer& screen);
  // The terminal lost its picture (a resize): the next render sends every cell.
  void repaintAll();
  // Colour, cursor position and visibility of the terminal are unknown,
  // for example after other sequences were sent to it.
  void forgetModes();

 private:
  // Takes the buffer's size; true when it changed.
  bool adopt(const ScreenBuffer& screen);
  bool needsSend(const ScreenBuffer& screen, int row, int column) const;
  // Where every cell is to be sent, erases the whole terminal in the colour
  // most blank cells have, so that only the others are sent. True when it did.
  bool clearFirst(const ScreenBuffer& screen, std::string& out);
  bool reusableGap(const ScreenBuffer& screen, int row, int from, int to) const;
  void sendRun(const ScreenBuffer& screen, int row, int from, int to, std::string& out);

  int width_ = 0;
  int height_ = 0;
  std::vector<Cell> shown_;
  std::vector<std::uint8_t> known_;
  std::uint64_t forgottenAt_ = 0;  // buffer generation when the picture was lost
  std::optional<Attribute> colours_;
  std::optional<CellPos> cursor_;
  std::optional<bool> cursorVisible_;
};

}  // namespace menue
