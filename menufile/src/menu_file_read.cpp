// Reading a MenuFile for a command-line mode, through the menu's own
// loader or as its bytes, keeping what the opened file's look says of it.
#include "menufile/menu_file_read.h"

#include <utility>

#include "menufile/menu_load.h"

namespace menue {

MenuFileRead readMenuFile(FileSystem& files, const std::string& name) {
  MenuFileRead read;
  const LoadResult result = loadMenu(files, name, read.model);
  read.failure = result.failure;
  read.trust = result.trust;
  return read;
}

MenuFileBytes readMenuBytes(FileSystem& files, const std::string& name) {
  MenuFileBytes bytes;
  FileStart start;
  bytes.failure = files.readFileStart(name, MaxMenuFileBytes, start);
  if (bytes.failure != code::Success) return bytes;
  bytes.text = std::move(start.text);
  bytes.whole = start.whole;
  bytes.trust = start.trust;
  return bytes;
}

}  // namespace menue
