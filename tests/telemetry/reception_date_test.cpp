#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "frame_line.h"
#include "telemetry/decode.h"

namespace {

using telemetry::reception_date;
using telemetry_test::hex_line;

TEST(ReceptionDate, NumericFormDropsTheMillisecondsAndBytesOneAndTwo) {
  const std::string expected = "RX date: 3/16/21 5:09:52 am UTC";
  EXPECT_EQ(reception_date(hex_line({0x00, 0x00, 0x01, 0x78, 0x39, 0x70, 0xBC, 0xE7})), expected);
  EXPECT_EQ(reception_date(hex_line({0xFF, 0xFF, 0x01, 0x78, 0x39, 0x70, 0xBC, 0xE7})), expected);
  EXPECT_EQ(reception_date(hex_line({0, 0, 0, 0, 0, 0, 0, 0})), "RX date: 1/1/70 UTC");
  // 4294967295999 ms: the last second of the unsigned 32-bit range.
  EXPECT_EQ(reception_date(hex_line({0, 0, 0x03, 0xE7, 0xFF, 0xFF, 0xFF, 0xFF})),
            "RX date: 2/7/06 6:28:15 am UTC");
}

TEST(ReceptionDate, NumericFormIsUtcWhateverTheTimeZone) {
  const char* saved = std::getenv("TZ");
  const std::string saved_tz = saved ? saved : "";
  setenv("TZ", "JST-9", 1);
  tzset();
  EXPECT_EQ(reception_date(hex_line({0, 0, 0x01, 0x78, 0x39, 0x70, 0xBC, 0xE7})),
            "RX date: 3/16/21 5:09:52 am UTC");
  EXPECT_EQ(reception_date(hex_line({0, 0, 0, 0, 0, 0, 0, 0})), "RX date: 1/1/70 UTC");
  if (saved) setenv("TZ", saved_tz.c_str(), 1); else unsetenv("TZ");
  tzset();
}

TEST(ReceptionDate, TextFormShowsItsFirst27CharactersWithALeadingBlank) {
  const std::string stamp = "2021-03-16 05:09:52.999 UTC";
  EXPECT_EQ(reception_date(hex_line(stamp)), " RX date: " + stamp);
  EXPECT_EQ(reception_date(hex_line(stamp + "\r\nmore")), " RX date: " + stamp);
}

TEST(ReceptionDate, OtherLinesHaveNoDate) {
  const struct {
    const char* why;
    std::string line;
  } cases[] = {
      {"empty", ""},
      {"two eight-byte blocks",
       hex_line({0, 0, 1, 0x78, 0x39, 0x70, 0xBC, 0xE7, 0, 0, 1, 0x78, 0x39, 0x70, 0xBC, 0xE7})},
      {"lower-case utc", hex_line("2021-03-16 05:09:52.999 utc")},
      {"UTC at bytes 24 to 26", hex_line("2021-03-16 05:09:52.99 UTC ")},
      {"longer than 48 characters but no byte 27", hex_line("2021-03-16 05:09:52.999 UT")},
      {"seven bytes", hex_line({0, 0, 1, 0x78, 0x39, 0x70, 0xBC})},
      {"nine bytes", hex_line({0, 0, 1, 0x78, 0x39, 0x70, 0xBC, 0xE7, 0})},
  };
  for (const auto& c : cases) EXPECT_EQ(reception_date(c.line), std::nullopt) << c.why;
}

}  // namespace
