#include "platform/runtime/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <clocale>
#include <limits>

#include "test_locale.h"

namespace {

using platform::fixed_point_text;
using platform::integer_text;

TEST(IntegerText, DigitsAndMinusSignOnly) {
  EXPECT_EQ(integer_text(0), "0");
  EXPECT_EQ(integer_text(65535), "65535");
  EXPECT_EQ(integer_text(-42), "-42");
  EXPECT_EQ(integer_text(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

struct FixedCase {
  long double value;
  int width;
  int decimals;
  const char* text;
};

TEST(FixedPointText, RoundsHalfUpAlignsRightAndNeverCuts) {
  const FixedCase cases[] = {
      {2345 * 0.01L, 4, 1, "23.5"},
      {0.25L, 4, 1, " 0.3"},        // a half goes up
      {-0.04L, 4, 1, "-0.0"},       // the sign stays when every digit is 0
      {-525 * 0.01L, 4, 1, "-5.3"}, // away from zero for negatives
      {-0.05L, 4, 1, "-0.1"},
      {0.0L, 4, 1, " 0.0"},
      {-0.0L, 4, 1, " 0.0"},
      {3712 * 0.001L, 6, 3, " 3.712"},
      {12000 * 0.001L, 6, 3, "12.000"},
      {65535.0L, 4, 1, "65535.0"},  // longer than its width: not cut
      {9.96L, 4, 1, "10.0"},        // the carry adds a digit
      {999.95L, 0, 1, "1000.0"},
      {1.5L, 1, 0, "2"},
      {-2.5L, 0, 0, "-3"},
      {0.001L, 8, 5, " 0.00100"},
      {1e20L, 0, 2, "100000000000000000000.00"},
      // 18 significant digits first: the 19th digit is dropped before the
      // decimals are rounded.
      {0.124999999999999994L, 4, 2, "0.12"},
      {0.124999999999999996L, 4, 2, "0.13"},
      {std::numeric_limits<long double>::quiet_NaN(), 4, 1, " NAN"},
      {-std::numeric_limits<long double>::infinity(), 0, 1, "-INF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fixed_point_text(c.value, c.width, c.decimals), c.text)
        << static_cast<double>(c.value) << " at (" << c.width << ", " << c.decimals << ")";
  }
}

TEST(FixedPointText, KeepsItsPointUnderACommaLocale) {
  if (!platform_test::select_locale(LC_ALL, "de_DE", "UTF-8")) {
    std::setlocale(LC_ALL, "C");
    GTEST_SKIP() << "no de_DE locale and none could be built";
  }
  EXPECT_EQ(fixed_point_text(3712 * 0.001L, 6, 3), " 3.712");
  EXPECT_EQ(fixed_point_text(-525 * 0.01L, 4, 1), "-5.3");
  EXPECT_EQ(fixed_point_text(65535.0L, 4, 1), "65535.0");
  EXPECT_EQ(integer_text(-1234567), "-1234567");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
