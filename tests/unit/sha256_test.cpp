// SHA-256 against the published test vectors, and at the lengths where the
// padding takes a second block.
#include "platform/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace menue {
namespace {

TEST(Sha256, KnownVectors) {
  struct Vector {
    std::string input;
    const char* digest;
  };
  const Vector vectors[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrl"
       "mnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      // 55, 56 and 64 bytes: the length fits the last block, just misses it,
      // the message fills a block.
      {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
      {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
      {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
      {std::string("\x00\xFF\r\n", 4),
       "e9489f37fb3051e9efa1dc916004d7274e7b63975e3209708947267f2393a9be"},
  };
  for (const Vector& v : vectors) {
    EXPECT_EQ(sha256Hex(v.input), v.digest) << v.input.size() << " bytes";
  }
}

}  // namespace
}  // namespace menue
