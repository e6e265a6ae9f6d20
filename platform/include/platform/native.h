// The backend the program runs on: chosen at build time (the Windows console
// on Windows, the POSIX terminal elsewhere). Owns the console for the run and
// gives it back as it found it when destroyed; its files and standard
// streams also serve alone, without a console.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace menue {

class NativePlatform {
 public:
  virtual ~NativePlatform() = default;
  virtual Platform& platform() = 0;
};

// What the menu's console lacks: nothing; any console (POSIX: no
// controlling terminal, as under ssh without -t, cron or setsid; Windows:
// no console input); or the cursor's positioning (POSIX: TERM=dumb, as
// Emacs' shell mode and serial consoles set; an unset TERM is no such
// terminal).
enum class ConsoleLack { None, Console, Positioning };
ConsoleLack consoleLack();

// The signal dispositions and mask a process inherited, made what the
// program relies on, first thing in every mode: the signals whose handling
// it needs (POSIX: SIGCHLD, or an ignored one turns every wait into a
// failure; SIGWINCH, SIGTSTP, SIGCONT) at their defaults until it installs
// its own, and none blocked. Nothing where the platform has no signals.
void resetInheritedSignals();

// Sets up the native console; never fails (without a console the output
// calls simply do nothing).
std::unique_ptr<NativePlatform> createNativePlatform();

// The file system and path rules alone: what the command line needs before
// the menu runs (its start directory) or instead of it (the checker). Sets
// up no console, so nothing is drawn. Every mode calls it first: it also
// makes a write past the file-size limit a failed write (POSIX: SIGXFSZ
// ignored, started programs get the default).
struct NativeFiles {
  std::unique_ptr<FileSystem> files;
  PathRules rules;
};
NativeFiles createNativeFiles();

// Everything but the console: what the command line's modes that run
// programs or keep a history need (--run, --edit, --undo). Sets up no
// console either; programs start in the console as it is.
class CommandServices {
 public:
  struct Services {
    FileSystem& files;
    Processes& processes;
    Environment& environment;
    Clock& clock;
    PathRules rules;
  };
  virtual ~CommandServices() = default;
  virtual Services& services() = 0;
};
std::unique_ptr<CommandServices> createCommandServices();

// The arguments after the program's name in the system form: argv as it is
// on POSIX; on Windows read from the UTF-16 command line, since argv holds
// a best-fit ANSI text that may name another directory.
std::vector<std::string> programArguments(int argc, char** argv);

StandardStream& standardOutput();
StandardStream& standardError();
StandardInput& standardInput();

}  // namespace menue
