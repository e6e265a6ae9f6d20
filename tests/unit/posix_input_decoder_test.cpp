// The terminal input decoder as one table: byte sequences (with the time
// they arrive) in, console records out, written compactly as text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/input/input_decoder.h"

namespace menue {
namespace {

// A record as short text: "key <scan> <char> [S][C][A][E]",
// "mouse <row> <column> b<buttons>[ double][ wheel+120]" or "paste <text>".
std::string describe(const InputRecord& record) {
  if (record.kind == RecordKind::Paste) return "paste " + record.paste;
  if (record.kind == RecordKind::Key) {
    const KeyRecord& k = record.key;
    std::string text = "key " + std::to_string(k.scanCode) + " " + std::to_string(k.character);
    std::string flags;
    if (k.controlKeyState & keystate::Shift) flags += 'S';
    if (k.controlKeyState & keystate::LeftCtrl) flags += 'C';
    if (k.controlKeyState & keystate::LeftAlt) flags += 'A';
    if (k.controlKeyState & keystate::Enhanced) flags += 'E';
    return flags.empty() ? text : text + " " + flags;
  }
  const MouseRecord& m = record.mouse;
  std::string text = "mouse " + std::to_string(m.position.row) + " " +
                     std::to_string(m.position.column) + " b" +
                     std::to_string(m.buttonState & 0xFFFF);
  if (m.eventFlags & mouse::DoubleClick) text += " double";
  if (m.eventFlags & mouse::Moved) text += " moved";
  if (m.eventFlags & mouse::Wheeled) {
    text += " wheel" + std::to_string(static_cast<std::int16_t>(m.buttonState >> 16));
  }
  return text;
}

// Bytes arriving at a time; no bytes means time passing with nothing read.
struct Step {
  std::string bytes;
  std::uint64_t atMs = 0;
};

struct Case {
  const char* name;
  std::vector<Step> steps;
  std::vector<std::string> records;
};

std::vector<std::string> decodeAll(const std::vector<Step>& steps) {
  InputDecoder decoder;
  std::vector<std::string> out;
  for (const Step& step : steps) {
    if (step.bytes.empty()) {
      decoder.advanceTo(step.atMs);
    } else {
      decoder.feed(step.bytes, step.atMs);
    }
    while (auto record = decoder.next()) out.push_back(describe(*record));
  }
  return out;
}

TEST(PosixInputDecoder, BytesToRecords) {
  const Case cases[] = {
      // Plain and control keys.
      {"letter", {{"a"}}, {"key 30 97"}},
      {"upper-case letter has shift", {{"A"}}, {"key 30 65 S"}},
      {"shifted symbol", {{"!"}}, {"key 2 33 S"}},
      {"blank", {{" "}}, {"key 57 32"}},
      {"enter from CR", {{"\r"}}, {"key 28 13"}},
      {"enter from LF", {{"\n"}}, {"key 28 13"}},
      {"backspace from DEL", {{"\x7f"}}, {"key 14 8"}},
      {"backspace from BS", {{"\b"}}, {"key 14 8"}},
      {"tab", {{"\t"}}, {"key 15 9"}},
      {"ctrl+c is byte 3", {{"\x03"}}, {"key 46 3 C"}},
      {"ctrl+z", {{"\x1a"}}, {"key 44 26 C"}},
      // Characters beyond ASCII, as the Unicode characters typed, in every
      // plane.
      {"umlauts",
       {{"\xC3\xBC\xC3\xA4\xC3\xB6\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F"}},
       {"key 0 252", "key 0 228", "key 0 246", "key 0 196", "key 0 214", "key 0 220", "key 0 223"}},
      {"box drawing character", {{"\xE2\x95\x94"}}, {"key 0 9556"}},
      {"beyond code page 850 kept",
       {{"a\xE2\x82\xAC\xC5\x82\xE6\x97\xA5\xF0\x9F\x98\x80"
         "b"}},
       {"key 30 97", "key 0 8364", "key 0 322", "key 0 26085", "key 0 128512", "key 48 98"}},
      {"broken UTF-8 dropped",
       {{"\xC3"
         "a\xBC"}},
       {"key 30 97"}},
      {"overlong encoding dropped",
       {{"\xC0\xAF"
         "b"}},
       {"key 48 98"}},
      // Cursor keys in both forms and with modifiers.
      {"up csi", {{"\x1b[A"}}, {"key 72 0 E"}},
      {"down csi", {{"\x1b[B"}}, {"key 80 0 E"}},
      {"right ss3", {{"\x1bOC"}}, {"key 77 0 E"}},
      {"left ss3", {{"\x1bOD"}}, {"key 75 0 E"}},
      {"shift+up", {{"\x1b[1;2A"}}, {"key 72 0 SE"}},
      {"ctrl+left", {{"\x1b[1;5D"}}, {"key 75 0 CE"}},
      {"alt+down", {{"\x1b[1;3B"}}, {"key 80 0 AE"}},
      // The editing keys in their common forms.
      {"home forms",
       {{"\x1b[1~\x1b[7~\x1b[H\x1bOH"}},
       {"key 71 0 E", "key 71 0 E", "key 71 0 E", "key 71 0 E"}},
      {"end forms",
       {{"\x1b[4~\x1b[8~\x1b[F\x1bOF"}},
       {"key 79 0 E", "key 79 0 E", "key 79 0 E", "key 79 0 E"}},
      {"insert delete page up page down",
       {{"\x1b[2~\x1b[3~\x1b[5~\x1b[6~"}},
       {"key 82 0 E", "key 83 0 E", "key 73 0 E", "key 81 0 E"}},
      {"ctrl+delete", {{"\x1b[3;5~"}}, {"key 83 0 CE"}},
      // Function keys.
      {"f1-f4 ss3",
       {{"\x1bOP\x1bOQ\x1bOR\x1bOS"}},
       {"key 59 0", "key 60 0", "key 61 0", "key 62 0"}},
      {"f1-f4 csi",
       {{"\x1b[11~\x1b[12~\x1b[13~\x1b[14~"}},
       {"key 59 0", "key 60 0", "key 61 0", "key 62 0"}},
      {"f5-f12",
       {{"\x1b[15~\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~\x1b[23~\x1b[24~"}},
       {"key 63 0", "key 64 0", "key 65 0", "key 66 0", "key 67 0", "key 68 0", "key 87 0",
        "key 88 0"}},
      {"shift+f1 xterm", {{"\x1b[1;2P"}}, {"key 59 0 S"}},
      {"f1 linux console", {{"\x1b[[A"}}, {"key 59 0"}},
      {"shift+tab", {{"\x1b[Z"}}, {"key 15 9 S"}},
      {"unknown sequences ignored",
       {{"\x1b[99~\x1b[?1;2c\x1b[I"
         "x"}},
       {"key 45 120"}},
      // Alt as an ESC prefix keeps the character.
      {"alt+letter", {{"\x1bx"}}, {"key 45 120 A"}},
      {"alt+shift+letter",
       {{"\x1b"
         "F"}},
       {"key 33 70 SA"}},
      {"alt+umlaut", {{"\x1b\xC3\xBC"}}, {"key 0 252 A"}},
      // A lone ESC only after 150 ms without a byte, and only when nothing
      // followed; the parts of a sequence split by the network may come up
      // to that far apart.
      {"lone esc waits", {{"\x1b", 0}, {"", 149}}, {}},
      {"lone esc after quiet", {{"\x1b", 0}, {"", 150}}, {"key 1 27"}},
      {"esc sequence within the quiet time", {{"\x1b", 0}, {"", 30}, {"[A", 30}}, {"key 72 0 E"}},
      {"parts 149 ms apart are one key",
       {{"\x1b", 0}, {"", 149}, {"[", 149}, {"", 298}, {"B", 298}},
       {"key 80 0 E"}},
      {"parts 150 ms apart are esc and characters",
       {{"\x1b", 0}, {"", 150}, {"[", 150}, {"", 300}, {"B", 300}},
       {"key 1 27", "key 26 91", "key 48 66 S"}},
      {"a gap after the bracket too",
       {{"\x1b[", 0}, {"", 150}, {"B", 150}},
       {"key 26 91 A", "key 48 66 S"}},
      {"late bytes read together stay one sequence", {{"\x1b", 0}, {"[B", 200}}, {"key 80 0 E"}},
      {"esc before a key is esc at once",
       {{"\x1b", 0}, {"\x1b[B", 10}},
       {"key 1 27", "key 80 0 E"}},
      {"two escs", {{"\x1b\x1b", 0}, {"", 150}}, {"key 1 27", "key 1 27"}},
      {"alt+[ when nothing follows", {{"\x1b[", 0}, {"", 150}}, {"key 26 91 A"}},
      {"unfinished sequence dropped", {{"\x1b[1;", 0}, {"", 150}, {"a", 151}}, {"key 30 97"}},
      // Reads that split sequences.
      {"split csi", {{"\x1b"}, {"[1;"}, {"5A"}}, {"key 72 0 CE"}},
      {"split utf-8", {{"\xC3"}, {"\xBC"}}, {"key 0 252"}},
      {"split mouse report", {{"\x1b[<0;1"}, {"0;5M"}}, {"mouse 4 9 b1"}},
      // SGR mouse reports.
      {"left press and release",
       {{"\x1b[<0;10;5M\x1b[<0;10;5m"}},
       {"mouse 4 9 b1", "mouse 4 9 b0"}},
      {"right press", {{"\x1b[<2;1;1M"}}, {"mouse 0 0 b2"}},
      {"middle press", {{"\x1b[<1;3;3M"}}, {"mouse 2 2 b4"}},
      {"both buttons held",
       {{"\x1b[<0;3;3M\x1b[<2;3;3M\x1b[<0;3;3m"}},
       {"mouse 2 2 b1", "mouse 2 2 b3", "mouse 2 2 b2"}},
      {"wheel",
       {{"\x1b[<64;3;4M\x1b[<65;3;4M"}},
       {"mouse 3 2 b0 wheel120", "mouse 3 2 b0 wheel-120"}},
      {"motion ignored", {{"\x1b[<32;3;4M\x1b[<35;5;4M"}}, {}},
      {"release of a button not held ignored", {{"\x1b[<0;3;4m"}}, {}},
      {"old x10 report", {{"\x1b[M *%\x1b[M#*%"}}, {"mouse 4 9 b1", "mouse 4 9 b0"}},
      // Double clicks: a second press of the same button on the same cell.
      {"double click within 500 ms",
       {{"\x1b[<0;10;5M\x1b[<0;10;5m", 0}, {"\x1b[<0;10;5M\x1b[<0;10;5m", 300}},
       {"mouse 4 9 b1", "mouse 4 9 b0", "mouse 4 9 b1 double", "mouse 4 9 b0"}},
      {"second press too late",
       {{"\x1b[<0;10;5M\x1b[<0;10;5m", 0}, {"\x1b[<0;10;5M", 501}},
       {"mouse 4 9 b1", "mouse 4 9 b0", "mouse 4 9 b1"}},
      {"second press on another cell",
       {{"\x1b[<0;10;5M\x1b[<0;10;5m", 0}, {"\x1b[<0;11;5M", 100}},
       {"mouse 4 9 b1", "mouse 4 9 b0", "mouse 4 10 b1"}},
      {"second press of another button",
       {{"\x1b[<0;10;5M\x1b[<0;10;5m", 0}, {"\x1b[<2;10;5M", 100}},
       {"mouse 4 9 b1", "mouse 4 9 b0", "mouse 4 9 b2"}},
      {"right double click",
       {{"\x1b[<2;1;1M\x1b[<2;1;1m", 0}, {"\x1b[<2;1;1M", 200}},
       {"mouse 0 0 b2", "mouse 0 0 b0", "mouse 0 0 b2 double"}},
      {"third press starts over",
       {{"\x1b[<0;2;2M\x1b[<0;2;2m", 0}, {"\x1b[<0;2;2M\x1b[<0;2;2m", 100}, {"\x1b[<0;2;2M", 200}},
       {"mouse 1 1 b1", "mouse 1 1 b0", "mouse 1 1 b1 double", "mouse 1 1 b0", "mouse 1 1 b1"}},
      // Bracketed pastes: one record, nothing in it a key, text as typed
      // text is converted; a paste whose end does not come ends after a
      // second without a byte.
      {"paste", {{"\x1b[200~ls -l\r\x1b[201~"}}, {"paste ls -l\r"}},
      {"keys around a paste", {{"a\x1b[200~b\x1b[201~c"}}, {"key 30 97", "paste b", "key 46 99"}},
      {"sequences in a paste are text",
       {{"\x1b[200~\x1b[A\x1b\x1b[201\x1b[201~"}},
       {"paste \x1b[A\x1b\x1b[201"}},
      {"paste as typed",
       {{"\x1b[200~\xC3\xBC\xE2\x82\xAC\xC3x\x1b[201~"}},
       {"paste \xC3\xBC\xE2\x82\xACx"}},
      {"paste split between reads",
       {{"\x1b[20"}, {"0~a\xC3"}, {"\xBC\x1b[2"}, {"01~c"}},
       {"paste a\xC3\xBC", "key 46 99"}},
      {"empty paste", {{"\x1b[200~\x1b[201~"}}, {}},
      {"end of a paste alone", {{"\x1b[201~x"}}, {"key 45 120"}},
      {"paste without its end",
       {{"\x1b[200~ab\x1b[20", 0}, {"", 999}, {"", 1000}, {"d", 1001}},
       {"paste ab\x1b[20", "key 32 100"}},
      {"paste quiet counts from its last byte",
       {{"\x1b[200~a", 0}, {"b", 900}, {"", 1800}, {"\x1b[201~", 1850}},
       {"paste ab"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(decodeAll(c.steps), c.records) << c.name;
  }
}

TEST(PosixInputDecoder, PastesOutliveADiscard) {
  InputDecoder decoder;
  decoder.feed("a\x1b[200~one\x1b[201~b\x1b[200~tw", 0);
  decoder.discardPending();
  decoder.feed("o\x1b[201~\x1b[20", 10);
  decoder.discardPending();
  decoder.feed("0~three\x1b[201~", 20);
  std::vector<std::string> out;
  while (auto record = decoder.next()) out.push_back(describe(*record));
  EXPECT_EQ(out, (std::vector<std::string>{"paste one", "paste two", "paste three"}));
}

TEST(PosixInputDecoder, PasteKeepsAtMostItsBound) {
  InputDecoder decoder;
  decoder.feed("\x1b[200~" + std::string(InputDecoder::MaxPasteBytes + 100, 'x') + "\x1b[201~y", 0);
  auto paste = decoder.next();
  ASSERT_TRUE(paste);
  EXPECT_EQ(paste->paste.size(), InputDecoder::MaxPasteBytes);
  EXPECT_EQ(describe(*decoder.next()), "key 21 121");
}

TEST(PosixInputDecoder, LoneEscSaysHowLongToWait) {
  InputDecoder decoder;
  EXPECT_EQ(decoder.msUntilResolve(0), -1);
  decoder.feed("\x1b", 100);
  EXPECT_EQ(decoder.msUntilResolve(120), 130);
  EXPECT_EQ(decoder.msUntilResolve(250), 0);
  decoder.feed("x", 130);
  EXPECT_EQ(decoder.msUntilResolve(130), -1);
}

TEST(PosixInputDecoder, DiscardKeepsTheLastPressForADoubleClick) {
  InputDecoder decoder;
  decoder.feed("\x1b[<0;4;4M\x1b[<0;4;4ma\x1b[", 0);
  decoder.discardPending();
  EXPECT_FALSE(decoder.hasRecord());
  EXPECT_EQ(decoder.pendingBytes(), 0u);
  decoder.feed("\x1b[<0;4;4M", 100);
  auto record = decoder.next();
  ASSERT_TRUE(record);
  EXPECT_EQ(describe(*record), "mouse 3 3 b1 double");
}

TEST(PosixInputDecoder, DiscardedReleaseLeavesTheButtonStateToRead) {
  InputDecoder decoder;
  decoder.feed("\x1b[<0;4;4M\x1b[<0;4;4m", 0);
  ASSERT_EQ(describe(*decoder.next()), "mouse 3 3 b1");
  decoder.discardPending();
  // The release was dropped; a movement says the button is up again.
  auto record = decoder.next();
  ASSERT_TRUE(record);
  EXPECT_EQ(describe(*record), "mouse 3 3 b0 moved");
  EXPECT_FALSE(decoder.hasRecord());
  decoder.discardPending();
  EXPECT_FALSE(decoder.hasRecord());
}

TEST(PosixInputDecoder, KeyRecordsCarryTheirVirtualKeys) {
  InputDecoder decoder;
  decoder.feed("\x1b[A\x1b[24~q\r", 0);
  std::vector<std::uint16_t> keys;
  while (auto record = decoder.next()) {
    EXPECT_TRUE(record->key.keyDown);
    keys.push_back(record->key.virtualKey);
  }
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{0x26, 0x7B, 'Q', 0x0D}));
}

}  // namespace
}  // namespace menue
