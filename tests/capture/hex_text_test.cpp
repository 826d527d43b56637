#include "capture/hex_text.h"

#include <gtest/gtest.h>

#include "platform/runtime/errors.h"

namespace {

using capture::hexa;
using capture::indicativo;
using capture::texto;

TEST(Hexa, TwoUpperCaseDigits) {
  const struct {
    std::uint8_t byte;
    const char* digits;
  } cases[] = {{0x00, "00"}, {0x0A, "0A"}, {0xC0, "C0"}, {0xDB, "DB"}, {0xFF, "FF"}};
  for (const auto& c : cases) EXPECT_EQ(hexa(c.byte), c.digits);
}

TEST(Texto, ReadsBytesAsCharacters) {
  EXPECT_EQ(texto("41 42 43 ", 3), "ABC");
  EXPECT_EQ(texto("41 42 43 ", 2), "AB");
  EXPECT_EQ(texto("41 42 43 ", 0), "");
  EXPECT_EQ(texto("not hex at all", -1), "");
  EXPECT_EQ(texto("4a ", 1), "J");
  EXPECT_EQ(texto("00 ", 1), std::string(1, '\0'));
  EXPECT_EQ(texto("4", 1), "\x04");  // a pair cut to one digit
}

TEST(Texto, PassesEveryByteValueThrough) {
  for (int b = 0; b < 256; ++b) {
    const std::string line = hexa(static_cast<std::uint8_t>(b)) + " ";
    EXPECT_EQ(texto(line, 1), std::string(1, static_cast<char>(b)));
  }
}

TEST(Indicativo, HalvesAddressBytes) {
  EXPECT_EQ(indicativo("82 84 86 ", 3), "ABC");
  EXPECT_EQ(indicativo("83 ", 1), "A");
  EXPECT_EQ(indicativo("40 ", 1), " ");
}

TEST(Texto, ByteMissingOrNotHexIsAConversionError) {
  const struct {
    const char* line;
    int count;
    bool shifted;
    const char* message;
  } cases[] = {
      {"41 42 ", 3, false, "'$' is not a valid integer value"},
      {"82 84 ", 3, true, "'$' is not a valid integer value"},
      {"4G ", 1, false, "'$4G' is not a valid integer value"},
      {" 41 ", 1, false, "'$ 4' is not a valid integer value"},
  };
  for (const auto& c : cases) {
    try {
      c.shifted ? indicativo(c.line, c.count) : texto(c.line, c.count);
      ADD_FAILURE() << c.line;
    } catch (const platform::ConvertError& error) {
      EXPECT_STREQ(error.what(), c.message) << c.line;
    }
  }
}

}  // namespace
