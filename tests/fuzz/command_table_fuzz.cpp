// Fuzzes the whole program on the virtual backend: the input bytes become
// typed keys, cursor keys, clicks and injected faults, one record whenever
// the program waits, so that the command table, the dialogues, the edits and
// the navigation get arbitrary lines. After each run every MenuFile must
// still load, nothing but MenuFiles and the LaunchScript may have been
// written, and only the known continuations may leave the program.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "interactive/command_loop.h"
#include "menufile/menu_parse.h"
#include "platform/virtual/virtual_platform.h"
#include "session/program.h"

namespace {

using namespace menue;

// Input bytes with a meaning of their own; every other byte is a key with
// that character (OEM code page 850: 0x81 is ü, 0x0D Enter, 0x1B ESC).
constexpr std::uint8_t FaultByte = 0x00;  // then: operation, error code
constexpr std::uint8_t UpByte = 0x01;
constexpr std::uint8_t DownByte = 0x02;
constexpr std::uint8_t FunctionKeyByte = 0x03;  // F1, a key without a character
constexpr std::uint8_t ClickByte = 0x07;        // then: kind and row, column

constexpr std::array<PlatformCode, 11> FaultCodes{0, 2, 3, 5, 8, 15, 21, 32, 87, 112, 183};
constexpr std::array<FileOp, 8> FileOps{
    FileOp::Read, FileOp::Replace,         FileOp::CreateNew,   FileOp::Delete,
    FileOp::Move, FileOp::ChangeDirectory, FileOp::ChangeDrive, FileOp::CurrentDirectory};

void require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

const char* const SampleMenu =
    "Kopfzeile=Werkzeuge\r\n(Menuanzeige)\r\nEditor\r\nSicherung\r\nZwei Zeilen\r\n"
    "(Menuausfuhrung)\r\n\t1edit.exe\r\n\t2backup.exe d:\r\n\t1cd sub\r\ndir\r\n\t\r\n"
    "Text nach dem Ende\r\n";
const char* const SecondMenu =
    "(Menuanzeige)\r\nHoch\r\nHeim\r\n(Menuausfuhrung)\r\n\t1cd ..\r\n\t3cd!\r\n\t\r\n";
// A file of the user's beside the menus, which nothing may touch.
const char* const NotesPath = "C:\\work\\notiz.txt";
const char* const Notes = "nicht anfassen\r\n";
const char* const SubMenu = "(Menuanzeige)\r\nUnten\r\n(Menuausfuhrung)\r\n\t1'\r\n\t\r\n";

// A small MenuSet in C:\work and C:\work\sub, another drive, a temporary
// directory named by TMP.
void prepare(VirtualPlatform& machine) {
  VirtualFileSystem& files = machine.files;
  files.addDrive('D');
  files.makeDirectory("D:\\Daten");
  files.makeDirectory("C:\\TEMP");
  files.makeDirectory("C:\\work\\sub");
  files.changeDirectory("C:\\work");
  files.putFile("C:\\work\\-menue-", SampleMenu);
  files.putFile("C:\\work\\-menue03-", SecondMenu);
  files.putFile("C:\\work\\sub\\-menue-", SubMenu);
  files.putFile(NotesPath, Notes);
  machine.environment.values = {"TMP=C:\\TEMP"};
}

InputRecord keyRecord(std::uint8_t character, std::uint16_t scanCode = 0) {
  InputRecord record;
  record.kind = RecordKind::Key;
  record.key.character = character;
  record.key.scanCode = scanCode;
  return record;
}

InputRecord mouseRecord(int row, int column, std::uint32_t buttons, std::uint32_t flags) {
  InputRecord record;
  record.kind = RecordKind::Mouse;
  record.mouse.position = {row, column};
  record.mouse.buttonState = buttons;
  record.mouse.eventFlags = flags;
  return record;
}

// Hands the fuzz bytes to the program, one input record per wait.
class Feeder {
 public:
  Feeder(VirtualPlatform& machine, const std::uint8_t* data, std::size_t size)
      : machine_(machine), data_(data), size_(size) {}

  bool feed() {
    while (at_ < size_) {
      const std::uint8_t byte = data_[at_++];
      switch (byte) {
        case FaultByte:
          injectFault();
          continue;
        case UpByte:
          return push(keyRecord(0, 72));
        case DownByte:
          return push(keyRecord(0, 80));
        case FunctionKeyByte:
          return push(keyRecord(0, 59));
        case ClickByte:
          return click();
        default:
          return push(keyRecord(byte));
      }
    }
    return false;
  }

 private:
  std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

  bool push(const InputRecord& record) {
    machine_.console.push(record);
    return true;
  }

  // Operation byte: the low bits choose a file operation or the process
  // start, bit 4 makes the fault stay; the code byte chooses the error.
  void injectFault() {
    const std::uint8_t operation = next();
    const PlatformCode code = FaultCodes[next() % FaultCodes.size()];
    const unsigned which = operation % (FileOps.size() + 1);
    if (which == FileOps.size()) {
      machine_.processes.failWith = code;
    } else if (operation & 0x10) {
      machine_.files.failAlways(FileOps[which], code);
    } else {
      machine_.files.failNext(FileOps[which], code);
    }
  }

  // Kind byte: the high bits choose the click (left, double left, right,
  // double right), the rest the row; then the column.
  bool click() {
    const std::uint8_t kind = next();
    const int row = (kind & 0x3F) % 25;
    const int column = next() % 80;
    switch (kind >> 6) {
      case 1:
        return push(mouseRecord(row, column, mouse::LeftButton, mouse::DoubleClick));
      case 2:
        machine_.console.push(mouseRecord(row, column, mouse::RightButton, 0));
        return push(mouseRecord(row, column, 0, 0));
      case 3:
        return push(mouseRecord(row, column, mouse::RightButton, mouse::DoubleClick));
      default:
        machine_.console.push(mouseRecord(row, column, mouse::LeftButton, 0));
        return push(mouseRecord(row, column, 0, 0));
    }
  }

  VirtualPlatform& machine_;
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

bool isMenuFileName(const std::string& name) {
  if (name == "-MENUE-") return true;
  return name.size() == 9 && name.compare(0, 6, "-MENUE") == 0 && name[8] == '-';
}

std::string upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

void checkFiles(const VirtualFileSystem& files) {
  require(files.file(NotesPath) == std::optional<std::string>(Notes),
          "other files stay as they were");
  for (const auto& [path, contents] : files.allFiles()) {
    if (path == NotesPath) continue;
    const std::string name = upper(path.substr(path.find_last_of('\\') + 1));
    if (upper(path) == "C:\\TEMP\\MENUE.CMD") {
      require(contents.rfind("@Echo off\r\n", 0) == 0, "the LaunchScript starts with @Echo off");
      continue;
    }
    require(isMenuFileName(name), "only MenuFiles and the LaunchScript are written");
    MenuModel model;
    require(parseMenuText(model, contents) == ParseResult::Loaded, "every MenuFile loads");
    require(model.itemCount <= MaxItems, "no MenuFile holds more than 18 items");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  VirtualPlatform machine;
  prepare(machine);
  Feeder feeder(machine, data, size);
  machine.console.onIdle = [&feeder] { return feeder.feed(); };
  Program program(machine.platform());
  try {
    runProgram(program);
  } catch (const ScriptExhausted&) {
  }
  checkFiles(machine.files);
  const CellPos cursor = machine.console.cursor();
  const std::string& name = program.state.currentMenuName;
  require(name == "-menue-" || (isMenuFileName(upper(name)) && name[6] >= '0' && name[6] <= '9' &&
                                name[7] >= '0' && name[7] <= '9' && name != "-menue01-"),
          "the current menu name is one the naming scheme gives");
  require(cursor.row >= 0 && cursor.row < machine.console.height() && cursor.column >= 0 &&
              cursor.column < machine.console.width(),
          "the cursor stays inside the buffer");
  return 0;
}
