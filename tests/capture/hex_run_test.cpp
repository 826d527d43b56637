#include "capture/hex_run.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/hex_text.h"

namespace {

// Runs of every length up to a few blocks, with a FEND at every place or
// none, against hexa byte by byte.
TEST(PutHexUntilFend, WritesEveryByteBeforeTheFirstFend) {
  for (std::size_t length = 0; length <= 70; ++length) {
    for (std::size_t fend_at = 0; fend_at <= length; ++fend_at) {  // fend_at == length: no FEND
      std::vector<std::uint8_t> bytes(length);
      for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + length);
      for (auto& b : bytes) b = b == 0xC0 ? 0xC1 : b;
      if (fend_at < length) bytes[fend_at] = 0xC0;
      std::string expected;
      for (std::size_t i = 0; i < fend_at; ++i) expected += capture::hexa(bytes[i]) + " ";

      for (const auto writer : {capture::put_hex_until_fend, capture::put_hex_until_fend_portable}) {
        std::string text(3 * length + 1, '\0');
        char* out = text.data();
        const std::uint8_t* found = writer(bytes.data(), bytes.data() + length, out);
        ASSERT_EQ(std::string(text.data(), out), expected) << length << " " << fend_at;
        ASSERT_EQ(found, fend_at < length ? bytes.data() + fend_at : nullptr) << length << " " << fend_at;
      }
    }
  }
}

TEST(PutHex, WritesEveryByteValue) {
  std::vector<std::uint8_t> bytes(256);
  std::string expected;
  for (int b = 0; b < 256; ++b) {
    bytes[b] = static_cast<std::uint8_t>(b);
    expected += capture::hexa(static_cast<std::uint8_t>(b)) + " ";
  }
  std::string text(3 * 256 + 1, '\0');
  char* end = capture::put_hex(text.data(), bytes.data(), bytes.size());
  EXPECT_EQ(std::string(text.data(), end), expected);
}

}  // namespace
