#include "platform/runtime/hex_convert.h"

#include <gtest/gtest.h>

#include "platform/runtime/errors.h"

namespace {

using platform::hex_to_int32;
using platform::hex_to_int64;

TEST(HexConvert, ReadsUpperAndLowerCaseDigits) {
  EXPECT_EQ(hex_to_int32("$ff"), 255);
  EXPECT_EQ(hex_to_int32("$FF"), 255);
  EXPECT_EQ(hex_to_int32("$0"), 0);
  EXPECT_EQ(hex_to_int32("$7FFFFFFF"), 0x7FFFFFFF);
  EXPECT_EQ(hex_to_int32("$80000000"), INT32_MIN);
  EXPECT_EQ(hex_to_int32("$FFFFFFFF"), -1);
  EXPECT_EQ(hex_to_int32("$000000000A"), 10);  // leading zeros are not significant
  EXPECT_EQ(hex_to_int64("$FFFFFFFF"), 4294967295LL);
  EXPECT_EQ(hex_to_int64("$01783970BCE7"), 1615871392999LL);
}

TEST(HexConvert, RejectsWithTheWholeTextInTheMessage) {
  const char* bad[] = {"$", "$ ", "$4 ", "$G1", "$-1", "", "12", "$123456789"};
  for (const char* text : bad) {
    try {
      hex_to_int32(text);
      ADD_FAILURE() << "accepted " << text;
    } catch (const platform::ConvertError& error) {
      EXPECT_EQ(std::string(error.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
  EXPECT_THROW(hex_to_int64("$10000000000000000"), platform::ConvertError);
  EXPECT_EQ(hex_to_int64("$FFFFFFFFFFFFFFFF"), -1);
}

TEST(HexConvert, DigitsAloneNameTheTextWithItsDollar) {
  EXPECT_EQ(platform::hex_digits_to_int32("4a"), 0x4A);
  try {
    platform::hex_digits_to_int32("");
    ADD_FAILURE() << "accepted no digits";
  } catch (const platform::ConvertError& error) {
    EXPECT_STREQ(error.what(), "'$' is not a valid integer value");
  }
}

}  // namespace
