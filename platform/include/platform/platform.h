// The platform interface: the few small services the portable core needs from
// Windows, a POSIX terminal or the in-memory test console. The core includes
// only this header; every backend implements it.
//
// Conventions fixed here for every backend:
// - Screen cells are one byte (an OEM code page 850 character) plus one
//   attribute byte (background * 16 + foreground), as in the Windows console.
// - Coordinates at this interface are 0-based (row 0 is the top buffer row);
//   the core's ConsoleScreen converts to its own 1-based rows and columns.
// - Failures come back as the platform's error code in Windows numbering
//   (0 = success); the POSIX backend maps errno onto the same codes.
// - Paths, command lines and environment entries cross this interface in the
//   system form: on POSIX the exact bytes the system uses; on Windows the
//   UTF-16 text of the W calls carried losslessly as WTF-8 and converted at
//   each call. The core stores and compares system forms and converts only
//   what the user types and what the screen shows (system_text.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_pages.h"
#include "platform/platform_codes.h"

namespace menue {

using Attribute = std::uint8_t;

struct CellPos {
  int row = 0;
  int column = 0;
  bool operator==(const CellPos&) const = default;
};

struct BufferInfo {
  int width = 80;
  int height = 25;
  CellPos cursor;
};

// The part of the buffer the user sees, in cells.
struct WindowSize {
  int columns = 80;
  int rows = 25;
  bool operator==(const WindowSize&) const = default;
};

// The least window the core's screens are laid out for: rows 1 to 24, the
// prompt on the last. A backend's buffer is never smaller, whatever the window, so that what the
// core draws is kept whole while the window is smaller and shows once it is large enough again.
inline constexpr WindowSize LeastWindow{80, 24};
// At least LeastWindow in both directions.
constexpr bool windowFits(WindowSize window) {
  return window.columns >= LeastWindow.columns && window.rows >= LeastWindow.rows;
}

struct CursorShape {
  int size = 10;  // percent of a cell, 1..100; 0 when the console reports none
  bool visible = true;
};

struct KeyRecord {
  bool keyDown = true;
  std::uint16_t virtualKey = 0;
  std::uint16_t scanCode = 0;
  char32_t character = 0;  // the Unicode character typed, 0 for none
  std::uint32_t controlKeyState = 0;
};

struct MouseRecord {
  CellPos position;  // 0-based
  std::uint32_t buttonState = 0;
  std::uint32_t controlKeyState = 0;
  std::uint32_t eventFlags = 0;
};

// A Paste record carries text the terminal marked as pasted, all of it in
// one record, so that no line end in it counts as a key.
// A WindowSize record says the window changed its size (POSIX: SIGWINCH;
// Windows: the console's buffer size event); it wakes a wait and is no event.
enum class RecordKind { Key, Mouse, Paste, WindowSize, Other };

// One console input record, shaped like the Windows INPUT_RECORD.
struct InputRecord {
  RecordKind kind = RecordKind::Other;
  KeyRecord key;
  MouseRecord mouse;
  // The pasted text of a Paste record in UTF-8, as the terminal sent it
  // (line ends and other control characters included).
  std::string paste;
};

// The console: a screen buffer of cells and an input queue of records.
class ConsoleDevice {
 public:
  virtual ~ConsoleDevice() = default;

  virtual BufferInfo bufferInfo() = 0;
  // A position outside the buffer is refused: the cursor stays.
  virtual void setCursorPosition(CellPos pos) = 0;
  virtual CursorShape cursorShape() = 0;
  virtual void setCursorShape(CursorShape shape) = 0;
  // The attribute the console uses for text of other programs.
  virtual void setTextAttribute(Attribute attr) = 0;
  // Writes bytes as cells on one row from `at`, cut at the right edge;
  // nothing when `at` lies outside the buffer. No byte is interpreted:
  // every byte is one cell.
  virtual void writeCells(CellPos at, std::string_view bytes, Attribute attr) = 0;
  // The characters of a UTF-8 text from `at`, as `ScreenBuffer::writeText`
  // lays them out: a wide character in two cells.
  virtual void writeText(CellPos at, std::string_view utf8, Attribute attr) = 0;
  // Fills every cell of the whole buffer.
  virtual void fillBuffer(char ch, Attribute attr) = 0;
  // Moves rows 1..bottom up by one; the freed bottom row is blank in `fill`.
  virtual void scrollUp(Attribute fill) = 0;
  // Brings what the user sees up to date with the buffer. The core calls it
  // before it blocks (a wait for input, a pause), so that every message is
  // on the screen while the user reads it.
  virtual void present() = 0;
  // The part of the buffer the user sees: the terminal's size, the console's
  // window. It may be smaller than the buffer (see LeastWindow).
  virtual WindowSize windowSize() = 0;
  // While `line` (code page 850) is not empty, `present` shows it alone on
  // the window's first row in place of the buffer, which goes on taking every
  // write; an empty line brings the buffer back whole at the next `present`.
  virtual void showNotice(std::string_view line) = 0;

  virtual void setInputMode(std::uint32_t mode) = 0;
  // Takes the first pending record without waiting; nothing when none is.
  virtual std::optional<InputRecord> readInput() = 0;
  // Blocks until at least one record is pending. Never spins.
  virtual void waitInput() = 0;
  // Discards pending records and input typed ahead; a Paste record, and a
  // paste still arriving, stay.
  virtual void flushInput() = 0;
};

// Who may have changed a file, as far as running the commands it holds
// goes: a file of another user, or one that others may write, can hold
// commands written in someone else's name.
enum class FileTrust {
  Trusted,         // the user's own or root's, writable by its owner alone
  OtherOwner,      // owned by neither the user nor root
  GroupMayWrite,   // its group may write it, and someone besides the owner is in it
  GroupUnlisted,   // its group may write it, and the group database cannot be read in full
  OthersMayWrite,  // everyone may write it
};

// What the file system reports of a file that changes with every change of
// its text, its name's target, its owner or its mode: a file is the same
// file, unchanged, while all of it stays as it was.
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;
  std::int64_t changedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// What a bounded read found: the start of a file, whether that was all of
// it, and who may have changed the very file that was read (not a name
// looked up before it was opened). `stamp` is the opened file's where any
// later change must show in it (the file system's times follow every change
// and the last one lay far enough back when it was opened); none otherwise.
struct FileStart {
  std::string text;
  bool whole = true;
  FileTrust trust = FileTrust::Trusted;
  std::optional<FileStamp> stamp;
};

// One look at a plain file by its name: who may have changed it, and its
// stamp where the platform reports an exact one.
struct PlainFileLook {
  FileTrust trust = FileTrust::Trusted;
  std::optional<FileStamp> stamp;
};

// A plain file of a listed directory: its name and size in bytes.
struct ListedFile {
  std::string name;
  std::uint64_t size = 0;
  bool operator==(const ListedFile&) const = default;
};

// A walk through a tree of directories that neither builds nor asks for a
// whole path: it stands in one directory, reads there, and steps into a
// subdirectory and back, each step costing the same at any depth. Names
// are in the system form.
class DirectoryCursor {
 public:
  virtual ~DirectoryCursor() = default;
  // The searches of FileSystem, in the directory the cursor stands in
  // ('*' stands for any run of characters as well).
  virtual std::vector<std::string> findPlainFiles(const std::string& pattern) = 0;
  virtual std::vector<std::string> findDirectories() = 0;
  // FileSystem::readFileStart of a file of that directory.
  virtual PlatformCode readFileStart(const std::string& name, std::size_t limit,
                                     FileStart& start) = 0;
  // Steps into the subdirectory `name`, never through a link.
  virtual PlatformCode enter(const std::string& name) = 0;
  // Steps back to the directory of the last enter that is not left yet;
  // fails when that directory no longer holds the one the cursor is in
  // (moved meanwhile): the walk cannot go on then.
  virtual PlatformCode leave() = 0;
};

// Files and directories. Paths and names are in the system form.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads at most the first `limit` bytes of a file, sharing reading with
  // others. What it costs does not grow with the file. `start` is untouched
  // on failure.
  virtual PlatformCode readFileStart(const std::string& path, std::size_t limit,
                                     FileStart& start) = 0;
  // Whether the file `path` still begins with the bytes `seen` and goes on
  // past them exactly when its reader saw only its start (`seenWhole`
  // false): the comparison of every replace and delete of a seen file.
  bool holds(const std::string& path, std::string_view seen, bool seenWhole);
  // What a writer saw of a file before it built the new text: all its
  // bytes, or nothing when there was no file.
  using SeenText = std::optional<std::string_view>;
  // Replaces (or creates) a file in one step: the new bytes go to a
  // temporary file in the same directory, are flushed, then take the old
  // one's place. A read-only target fails with AccessDenied. On any failure
  // the old file is untouched and no temporary file is left.
  // Only a file that still holds `seen` (none: that does not exist) is
  // replaced; else FileInvalid. The comparison is the last step before the
  // replace, and the file replaced is proved afterwards to be the one
  // compared (else it is put back), so a program that takes no lock keeps
  // its change. Both happen under a lock that every writer of this program
  // takes and that dies with its process, so two writers never both
  // replace the same text. A link is written through: its target is
  // replaced in the target's directory, and a link to no file fails with
  // CantResolveFilename. The new file keeps the old one's mode, owner,
  // group and what else guards it (extended attributes, access lists);
  // what cannot be kept fails with EasNotSupported.
  virtual PlatformCode replaceFile(const std::string& path, SeenText seen,
                                   std::string_view contents) = 0;
  // Creates a file that must not exist yet (never through a link), readable
  // and writable by the user alone where the platform has such modes.
  virtual PlatformCode createNewFile(const std::string& path, std::string_view contents) = 0;
  virtual PlatformCode deleteFile(const std::string& path) = 0;
  // Deletes a file only while it is what its reader saw: it begins with
  // `seenStart` and goes on past it exactly when `seenWhole` is false (a
  // reader of a huge file saw its start only); else FileInvalid. Under the
  // lock of replaceFile.
  virtual PlatformCode deleteSeenFile(const std::string& path, std::string_view seenStart,
                                      bool seenWhole) = 0;
  virtual PlatformCode moveFile(const std::string& from, const std::string& to) = 0;
  // Plain files (no directory, hidden or system file) of the current
  // directory whose names match `pattern` ('?' stands for exactly one
  // character), compared as the file system compares names, sorted by name.
  virtual std::vector<std::string> findPlainFiles(const std::string& pattern) = 0;
  // Whether `path` names a plain file (the same filter as findPlainFiles),
  // and for a plain file who may have changed it; nothing when `path` names
  // none. A platform without owners and modes of this kind trusts every
  // file.
  virtual std::optional<FileTrust> plainFileTrust(const std::string& path) = 0;
  // The same one look with the file's stamp, where the platform has one.
  virtual std::optional<PlainFileLook> lookAtPlainFile(const std::string& path) {
    const std::optional<FileTrust> trust = plainFileTrust(path);
    if (!trust) return std::nullopt;
    return PlainFileLook{*trust, std::nullopt};
  }
  // The same one look, asking only whether there is a plain file.
  bool isPlainFile(const std::string& path) { return plainFileTrust(path).has_value(); }
  // The subdirectories of the current directory a walk through a tree
  // enters: no hidden or system ones and none reached through a link (so a
  // walk cannot loop), sorted as findPlainFiles sorts.
  virtual std::vector<std::string> findDirectories() = 0;
  // A cursor standing in the directory `path`; a path that names no
  // directory fails with DirectoryNameInvalid (a file) or as the system says.
  virtual PlatformCode openDirectoryCursor(const std::string& path,
                                           std::unique_ptr<DirectoryCursor>& cursor) = 0;
  virtual PlatformCode currentDirectory(std::string& path) = 0;
  virtual PlatformCode changeDirectory(const std::string& path) = 0;
  // Makes the drive `letter` current, at the directory the system keeps for it.
  virtual PlatformCode changeDrive(char letter) = 0;
  // Makes the directory `path` and any missing parents, accessible to the
  // user alone where the platform has such modes; an existing directory
  // is success. Where the platform has owners, one that someone else could
  // have prepared is AccessDenied: another owner, a mode that lets others
  // in, a parent others may write, another user's link on the way.
  virtual PlatformCode makePrivateDirectory(const std::string& path) = 0;
  // The plain files of the directory `path` (any directory, not only the
  // current one), unsorted; nothing when it cannot be read.
  virtual std::vector<ListedFile> listDirectory(const std::string& path) = 0;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts a command line (system form) in the program's console, inheriting
  // no handles, in the current directory and environment; waits for its end
  // when asked.
  // A command line naming a ".cmd" file runs through the command interpreter.
  virtual PlatformCode start(const std::string& commandLine, bool wait) = 0;
  // Hands one command line to the command interpreter to read whole (POSIX:
  // /bin/sh -c, its $0 the program's name), waiting as start does; where
  // the platform starts every line itself, the same as start.
  virtual PlatformCode startThroughShell(const std::string& commandLine, bool wait) {
    return start(commandLine, wait);
  }
  // Runs a LaunchScript through the command interpreter, its path (system
  // form) taken as one name whatever characters it holds; otherwise as start.
  virtual PlatformCode runScript(const std::string& path, bool wait) = 0;
  // Runs the command line `command` (an editor the environment names,
  // system form) with `path` as an argument of its own after it, and waits
  // for its end: on POSIX through /bin/sh, so the command keeps its shell
  // meaning and the path its bytes whatever they are; on Windows with the
  // path in quotes, which no Windows path holds.
  virtual PlatformCode runOnPath(const std::string& command, const std::string& path) = 0;
  // The exit status of the program last waited for: its exit code, or on
  // POSIX 128 plus the signal that ended it. A wait that failed is a failed
  // start, never a status.
  virtual int lastExitStatus() const = 0;
  // Names the LaunchScript of this run, which a signal that ends the
  // program (POSIX: SIGTERM, SIGHUP, SIGINT, ...) removes before the
  // program dies by it; nothing where the platform has no such signals.
  virtual void removeAtTermination(const std::string& scriptPath) { static_cast<void>(scriptPath); }
};

class Environment {
 public:
  virtual ~Environment() = default;
  // The environment entries ("NAME=value", system form) in the environment's
  // own order.
  virtual std::vector<std::string> entries() = 0;
  // The user's own directory for what the program keeps between runs
  // (system form), empty when the environment names none: on POSIX
  // $XDG_STATE_HOME/menue (default ~/.local/state/menue), on Windows
  // %LOCALAPPDATA%\menue.
  virtual std::string stateDirectory() = 0;
};

// A moment as the user reads it and as it sorts.
struct WallTime {
  std::int64_t seconds = 0;  // since 1970-01-01 UTC
  std::string local;         // "YYYY-MM-DD HH:MM:SS", local time
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void sleepMs(int milliseconds) = 0;
  virtual WallTime now() = 0;
};

// Standard output or standard error of the process, for the texts of the
// command line (usage, version, the checker's report); they need no console.
class StandardStream {
 public:
  virtual ~StandardStream() = default;
  // Paths and arguments in the system form, as the stream shows them (bytes
  // as they are on POSIX; the console's code page on Windows).
  virtual void writeBytes(std::string_view systemForm) = 0;
  // A Windows-1252 text of the program, converted to what the stream shows
  // (UTF-8 on POSIX, the console's code page on Windows).
  virtual void writeText(std::string_view windows1252) = 0;
  // Delivers what is still buffered and says whether everything written
  // since the start arrived: Success, or the first failure (a full disk, a
  // reader that closed its pipe). After a failure the stream writes no more.
  // A stream that keeps its text in memory cannot fail.
  virtual PlatformCode flush() { return code::Success; }
};

// Standard input of the process, for the answers of the command line's
// questions.
class StandardInput {
 public:
  virtual ~StandardInput() = default;
  // One line without its line end (system form); false at its end. What
  // was written to standard output is shown first.
  virtual bool readLine(std::string& line) = 0;
};

// The differences in paths between the platforms, as facts the core reads.
struct PathRules {
  // Put between the temporary directory and the LaunchScript's name.
  char separator = '\\';
  // Characters after which no separator is added.
  std::string_view separatorsAtEnd = "\\";
  // The LaunchScript's file name in the temporary directory: "menue.cmd", or
  // on POSIX one of this run's own ("menue-PID.cmd"), so that runs side by
  // side never replace, start or remove each other's.
  std::string launchScriptName = "menue.cmd";
  // The LaunchScript's path when the environment names no temporary directory.
  std::string fallbackLaunchScriptPath = "c:\\menue.cmd";
  // Whether the file system has drive letters ("C:"); without them going
  // home changes to the start directory as one path, and drive changes fail.
  bool hasDrives = true;
  // Whether a backslash in a directory argument must be turned into '/'.
  bool backslashToSlash = false;
  // Whether a single command line that needs the shell (runsThroughShell,
  // shell_syntax.h) is handed to it rather than started as a program:
  // POSIX, where a single line would otherwise mean something else than the
  // same line among others; Windows starts every single line itself.
  bool shellForShellSyntax = false;
  // The largest command line the platform can start, in bytes.
  std::size_t commandLineLimit = 32767;
  // Whether a path starts at a root rather than at the current directory:
  // "/x" where the separator is '/'; where it is the backslash, also "\x"
  // and a drive's "C:\x" or "C:/x".
  bool isAbsolute(std::string_view path) const;

  // How the command interpreter reads the LaunchScript: in the console's
  // code page (cmd.exe) or in the system form (/bin/sh).
  bool scriptInConsoleCodePage = true;
  // What a byte 0x80-0xFF that is no German letter stands for in a command
  // line of a MenuFile in a single-byte encoding: what the system made of
  // it when such lines reached it unconverted (the ANSI code page on
  // Windows, code page 850 on POSIX).
  UpperHalf plainCommandBytes = Windows1252;
  // Whether a MenuFile the menu creates is written in UTF-8, the encoding
  // the system's editors read (POSIX: comment, header, items and command
  // lines), or as the Windows program always wrote it: the comment in
  // Windows-1252, what is typed in the console's code page. Its line ends
  // are CR LF either way.
  bool createdMenusInUtf8 = false;

  // Whether the file system takes names that differ in the case of ASCII
  // letters for the same file (Windows), so the history must too.
  bool namesIgnoreCase = true;
  // Whether environment names differ only in the case of ASCII letters
  // for the same entry (Windows: "Visual" is VISUAL).
  bool environmentIgnoresCase = true;

  // The editor of menue --edit when neither VISUAL nor EDITOR names one:
  // the system's choice where it is installed (empty for none), else the
  // fallback.
  std::string systemEditor;
  std::string fallbackEditor = "notepad";
};

// One backend: the services the core runs on.
struct Platform {
  ConsoleDevice& console;
  FileSystem& files;
  Processes& processes;
  Environment& environment;
  Clock& clock;
  PathRules rules;
};

}  // namespace menue
