// Reading a MenuFile into the MenuModel, and the rewrite through which every
// edit replaces a MenuFile's content in one safe step.
#pragma once

#include <cstddef>
#include <string>

#include "menufile/menu_model.h"
#include "menufile/menu_parse.h"
#include "platform/platform.h"

namespace menue {

// What a load or rewrite gave: the platform's code of a failed read or
// replace (the model is then untouched), else the parse of the text and
// who may have changed the file it was read from (a rewritten file is the
// writer's own).
struct LoadResult {
  PlatformCode failure = code::Success;
  ParseResult parse = ParseResult::Loaded;
  FileTrust trust = FileTrust::Trusted;
};

// The most of a MenuFile ever read. The format needs far less: the header,
// 20 display lines and 19 ExecutionParts of a whole Windows command line
// (32,767 characters) each take about 600 KiB; a file of any size costs
// no more to show than this.
inline constexpr std::size_t MaxMenuFileBytes = std::size_t{1} << 20;
// What a pass reads first: the whole of an ordinary MenuFile (18 items with
// a command line each take a few KiB), and little more than that of a huge one.
inline constexpr std::size_t FirstMenuFileBytes = std::size_t{16} << 10;

// Reads the MenuFile `name` of the current directory and parses it: its
// first FirstMenuFileBytes, and up to MaxMenuFileBytes only when the menu
// may go on past them. model.whole tells whether the text is all the file.
LoadResult loadMenu(FileSystem& files, const std::string& name, MenuModel& model);
// Whether the model holds the text of the file a look by name just saw: it
// was read from that file, which shows the same stamp as then (loadMenu
// would read the same text).
bool holdsTextOf(const MenuModel& model, const PlainFileLook& look);
// The same up to MaxMenuFileBytes at once, for an edit, which rewrites the
// whole text.
LoadResult loadWholeMenu(FileSystem& files, const std::string& name, MenuModel& model);
// Replaces the MenuFile `name` by newText and parses the new text into the
// model without reading the file back. Only a text built from a whole
// model (or none) may be written: one cut short would lose the rest.
// `seen` is the text newText was built from (none for a new file): a file
// that holds anything else by now is left alone (code::FileInvalid). It may
// view the model's own text: the file is compared before the model changes.
LoadResult rewriteMenuFile(FileSystem& files, const std::string& name, MenuModel& model,
                           FileSystem::SeenText seen, std::string newText);

}  // namespace menue
