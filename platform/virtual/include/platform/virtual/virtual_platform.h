// The virtual backend for tests: an in-memory console with scripted input, an
// in-memory file system with the Windows rules (drives, case-insensitive
// names, attributes, a current directory per drive) and fault injection,
// recorded process starts, a given environment and a clock that only counts.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/screen_buffer.h"

namespace menue {

// Thrown by the virtual console when the program waits and the script has
// no more input: ends a scenario.
struct ScriptExhausted {};

class VirtualConsole : public ConsoleDevice {
 public:
  VirtualConsole(int width = 80, int height = 25);

  BufferInfo bufferInfo() override;
  void setCursorPosition(CellPos pos) override { screen_.setCursor(pos); }
  CursorShape cursorShape() override { return {cursorSize_, screen_.cursorVisible()}; }
  void setCursorShape(CursorShape shape) override;
  void setTextAttribute(Attribute attr) override { textAttribute_ = attr; }
  void writeCells(CellPos at, std::string_view bytes, Attribute attr) override;
  void fillBuffer(char ch, Attribute attr) override { screen_.fill(ch, attr); }
  void scrollUp(Attribute fill) override { screen_.scrollUp(fill); }
  void present() override;
  void setInputMode(std::uint32_t mode) override;
  std::optional<InputRecord> readInput() override;
  void waitInput() override;
  void flushInput() override;

  // Test side.
  void push(const InputRecord& record) { queue_.push_back(record); }
  // Called when the program waits on an empty queue; returns whether it
  // queued more input. Without one (or when it queues nothing) the wait
  // throws ScriptExhausted.
  std::function<bool()> onIdle;
  const ScreenBuffer& screen() const { return screen_; }
  // Bytes of a row (0-based), and their attributes.
  std::string rowText(int row) const { return std::string(screen_.rowText(row)); }
  std::string rowAttributes(int row) const {
    const std::span<const Attribute> attributes = screen_.rowAttributes(row);
    return std::string(attributes.begin(), attributes.end());
  }
  char cellChar(int row, int column) const { return screen_.cell(row, column).ch; }
  Attribute cellAttribute(int row, int column) const { return screen_.cell(row, column).attr; }
  Attribute textAttribute() const { return textAttribute_; }
  std::uint32_t inputMode() const { return inputMode_; }
  const std::vector<std::uint32_t>& inputModes() const { return inputModes_; }
  CellPos cursor() const { return screen_.cursor(); }
  int width() const { return screen_.width(); }
  int height() const { return screen_.height(); }
  int waits() const { return waits_; }
  int flushes() const { return flushes_; }
  int presents() const { return presents_; }
  // Whether every cell written so far has been presented.
  bool presented() const { return presentedAt_ == screen_.generation(); }
  std::size_t pending() const { return queue_.size(); }
  // Every byte written to cells since the last takeWritten, in order: lets a
  // test see messages that a later redraw has already cleared.
  std::string takeWritten() { return std::exchange(written_, {}); }

 private:
  ScreenBuffer screen_;
  int cursorSize_ = 25;
  Attribute textAttribute_ = 0x07;
  std::uint32_t inputMode_ = 0x7;
  std::vector<std::uint32_t> inputModes_;
  std::deque<InputRecord> queue_;
  int waits_ = 0;
  int flushes_ = 0;
  int presents_ = 0;
  std::uint64_t presentedAt_ = 0;  // the buffer's write counter at the last present
  std::string written_;
};

// File operations that faults can be injected into.
enum class FileOp {
  Read,
  Replace,
  CreateNew,
  Delete,
  Move,
  ChangeDirectory,
  ChangeDrive,
  CurrentDirectory,
  List,  // counted only: a directory listing cannot fail
  MakeDirectory,
};

class VirtualFileSystem : public FileSystem {
 public:
  static constexpr std::uint32_t Hidden = 0x2;
  static constexpr std::uint32_t System = 0x4;
  static constexpr std::uint32_t ReadOnly = 0x1;

  // Starts with drive C: holding the root only; current directory "C:\".
  VirtualFileSystem();

  PlatformCode readFile(const std::string& path, std::string& contents) override;
  PlatformCode readFileStart(const std::string& path, std::size_t limit, FileStart& start) override;
  PlatformCode replaceFile(const std::string& path, SeenText seen,
                           std::string_view contents) override;
  PlatformCode createNewFile(const std::string& path, std::string_view contents) override;
  PlatformCode deleteFile(const std::string& path) override;
  PlatformCode deleteSeenFile(const std::string& path, std::string_view seenStart,
                              bool seenWhole) override;
  PlatformCode moveFile(const std::string& from, const std::string& to) override;
  std::vector<std::string> findPlainFiles(const std::string& pattern) override;
  bool isPlainFile(const std::string& path) override;
  std::optional<FileTrust> plainFileTrust(const std::string& path) override;
  std::vector<std::string> findDirectories() override;
  PlatformCode openDirectoryCursor(const std::string& path,
                                   std::unique_ptr<DirectoryCursor>& cursor) override;
  PlatformCode currentDirectory(std::string& path) override;
  PlatformCode changeDirectory(const std::string& path) override;
  PlatformCode changeDrive(char letter) override;
  PlatformCode makePrivateDirectory(const std::string& path) override;
  std::vector<ListedFile> listDirectory(const std::string& path) override;

  // Test side. Paths may be relative to the current directory.
  void addDrive(char letter, bool ready = true);
  void makeDirectory(const std::string& path);  // with its parents
  void removeDirectory(const std::string& path);
  void putFile(const std::string& path, std::string contents, std::uint32_t attributes = 0);
  // Gives an existing file another owner or a mode others may write; a file
  // starts trusted, and moves and replacements keep what it was given.
  void setTrust(const std::string& path, FileTrust trust);
  // The same, but only from the file's next opening on: another user put a
  // file of their own in its place after the program looked at its name.
  void setTrustWhenOpened(const std::string& path, FileTrust trust);
  std::optional<std::string> file(const std::string& path) const;
  bool directoryExists(const std::string& path) const;
  // Every file as full path -> contents.
  std::map<std::string, std::string> allFiles() const;
  // The next call of op (after `skip` successful ones) fails with `code`.
  void failNext(FileOp op, PlatformCode code, int skip = 0);
  // Every call of op fails with `code` until cleared with 0.
  void failAlways(FileOp op, PlatformCode code);
  int calls(FileOp op) const;
  // Counts a call of op and gives the failure injected into it, if any.
  PlatformCode fault(FileOp op);

  // The full, case-preserved path for a path as the program gives it, or
  // nothing when it is malformed.
  std::optional<std::string> resolve(const std::string& path) const;
  // The searches of a directory given by its full path.
  std::vector<std::string> findPlainFilesIn(const std::string& directory,
                                            const std::string& pattern);
  std::vector<std::string> findDirectoriesIn(const std::string& directory) const;

 private:
  struct Entry {
    std::string name;  // full path in its own case
    std::string contents;
    std::uint32_t attributes = 0;
    FileTrust trust = FileTrust::Trusted;
    std::optional<FileTrust> trustWhenOpened = std::nullopt;
  };
  // The file at `path`, or none.
  Entry* entryAt(const std::string& path);
  struct Fault {
    PlatformCode code = code::Success;
    int skip = 0;
    bool always = false;
  };
  static std::string key(const std::string& fullPath);
  std::string parentOf(const std::string& fullPath) const;

  std::map<std::string, Entry> files_;        // key -> file
  std::map<std::string, std::string> dirs_;   // key -> full path
  std::map<char, std::string> driveCurrent_;  // upper letter -> full path
  std::set<char> notReady_;
  char drive_ = 'C';
  std::map<FileOp, Fault> faults_;
  std::map<FileOp, int> calls_;
};

struct StartedProcess {
  std::string commandLine;
  bool wait = false;
  std::string directory;
  std::string launchScript;  // the bytes of the started file, if it is one
  bool script = false;       // run as a script by its path (runScript)
};

class VirtualProcesses : public Processes {
 public:
  explicit VirtualProcesses(VirtualFileSystem& files) : files_(files) {}
  PlatformCode start(const std::string& commandLine, bool wait) override;
  // Recorded as a start of the path, marked as a script run.
  PlatformCode runScript(const std::string& path, bool wait) override;
  int lastExitStatus() const override { return exitStatus; }

  std::vector<StartedProcess> started;
  // What every program waited for ends with.
  int exitStatus = 0;
  // Starts fail with this code (0: they succeed).
  PlatformCode failWith = code::Success;
  // Command lines that cannot be started (besides the empty one).
  std::set<std::string> missing;
  // Runs at every successful start (a test can write files, the screen...).
  std::function<void(const StartedProcess&)> onStart;

 private:
  PlatformCode record(StartedProcess process);

  VirtualFileSystem& files_;
};

class VirtualEnvironment : public Environment {
 public:
  std::vector<std::string> entries() override { return values; }
  std::string stateDirectory() override { return state; }
  std::vector<std::string> values;
  std::string state = "C:\\Users\\ich\\AppData\\Local\\menue";
};

class VirtualClock : public Clock {
 public:
  void sleepMs(int milliseconds) override { pauses.push_back(milliseconds); }
  // A fixed moment one second later at each question.
  WallTime now() override;
  std::vector<int> pauses;
  std::int64_t seconds = 1'800'000'000;
};

// Answers given one line at a time; the end of input when none is left.
class VirtualInput : public StandardInput {
 public:
  bool readLine(std::string& line) override;
  std::vector<std::string> lines;
  std::size_t taken = 0;
};

class VirtualPlatform {
 public:
  VirtualPlatform();
  Platform& platform() { return platform_; }

  VirtualConsole console;
  VirtualFileSystem files;
  VirtualProcesses processes{files};
  VirtualEnvironment environment;
  VirtualClock clock;

 private:
  Platform platform_;
};

}  // namespace menue
