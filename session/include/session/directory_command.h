// Recognising the directory commands, in a typed line and in an item's
// only command line alike.
#pragma once

#include <string>

namespace menue {

struct DirectoryCommand {
  enum class Kind { None, Home, ChangeDirectory, ChangeDrive } kind = Kind::None;
  // ChangeDirectory: the directory; ChangeDrive: the text after "X:".
  std::string path;
  char drive = '\0';
};

// "cd!" and "cd !" go home; "cd ", "cd." and "cd\" change to the rest of the
// line after "cd" (one blank after it dropped, quotes kept); a line whose
// second character is ':' changes the drive. Letter case is ignored.
DirectoryCommand directoryCommandOf(const std::string& line);

}  // namespace menue
