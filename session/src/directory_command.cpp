// Recognising the directory commands, in a typed line and in an item's
// only command line alike.
#include "session/directory_command.h"

#include "session/text_case.h"

namespace menue {

DirectoryCommand directoryCommandOf(const std::string& line) {
  using Kind = DirectoryCommand::Kind;
  const std::string lower = lowerAscii(line);
  if (lower.starts_with("cd!") || lower.starts_with("cd !")) return {Kind::Home, {}, {}};
  if (lower.starts_with("cd ") || lower.starts_with("cd.") || lower.starts_with("cd\\")) {
    return {Kind::ChangeDirectory, line.substr(line[2] == ' ' ? 3 : 2), {}};
  }
  if (line.size() >= 2 && line[1] == ':') return {Kind::ChangeDrive, line.substr(2), line[0]};
  return {};
}

}  // namespace menue
