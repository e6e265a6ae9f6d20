// The fixed places of the 80x24 screen the program draws on: the prompt
// row, the centre the menu is laid out around, the frame's bounds, the
// footer, the highlight markers and the home label. Rows and columns
// 1-based.
#pragma once

namespace menue {

// The prompt, the version line and the questions of the dialogues.
inline constexpr int PromptRow = 24;
inline constexpr int PromptColumn = 3;

// Items and the header are centred on this column.
inline constexpr int CentreColumn = 40;
// A frame of width w spans FrameCentreLeft - w/2 to FrameCentreRight + w/2.
inline constexpr int FrameCentreLeft = 36;
inline constexpr int FrameCentreRight = 44;
// The frame's columns before any menu was drawn, and of a menu whose width
// is out of range.
inline constexpr int FirstFrameLeft = 3;
inline constexpr int FirstFrameRight = 77;
inline constexpr int FullFrameLeft = 3;
inline constexpr int FullFrameRight = 76;

// "-Menü weiter-" below the frame starts here.
inline constexpr int FooterColumn = 33;
// The ">" and "<" of the highlighted row.
inline constexpr int LeftMarkerColumn = 1;
inline constexpr int RightMarkerColumn = 78;
// The "--Home--" label starts this many columns left of the right frame
// line, and a click on any of those columns hits it.
inline constexpr int HomeLabelOffset = 10;

}  // namespace menue
