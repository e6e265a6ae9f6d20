// The backend the program runs on: chosen at build time (the Windows console
// on Windows, the POSIX terminal elsewhere). Owns the console for the run and
// gives it back as it found it when destroyed; its files and standard
// streams also serve alone, without a console.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace menue {

class NativePlatform {
 public:
  virtual ~NativePlatform() = default;
  virtual Platform& platform() = 0;
};

// Sets up the native console; never fails (without a console the output
// calls simply do nothing).
std::unique_ptr<NativePlatform> createNativePlatform();

// The file system and path rules alone: what the command line needs before
// the menu runs (its start directory) or instead of it (the checker). Sets
// up no console, so nothing is drawn.
struct NativeFiles {
  std::unique_ptr<FileSystem> files;
  PathRules rules;
};
NativeFiles createNativeFiles();

StandardStream& standardOutput();
StandardStream& standardError();

}  // namespace menue
