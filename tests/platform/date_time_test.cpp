#include "platform/runtime/date_time.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "test_locale.h"

namespace {

using platform::date_time_text;
using platform::unix_to_day_count;

struct DateCase {
  std::int64_t unix_seconds;
  const char* text;
};

// Under the C locale: "m/d/yy", then "h:mm:ss am|pm"; midnight has no time.
constexpr DateCase kDefaultFormatCases[] = {
    {1615871392, "3/16/21 5:09:52 am"},
    {0, "1/1/70"},
    {4294967295, "2/7/06 6:28:15 am"},
    {43200, "1/1/70 12:00:00 pm"},  // noon
    {1800, "1/1/70 12:30:00 am"},   // the hour after midnight
    {86399, "1/1/70 11:59:59 pm"},
    {951782400, "2/29/00"},         // a leap day at midnight
    {1609459199, "12/31/20 11:59:59 pm"},
    {1000000000, "9/9/01 1:46:40 am"},
};

void expect_default_formats() {
  for (const auto& c : kDefaultFormatCases) {
    EXPECT_EQ(date_time_text(unix_to_day_count(c.unix_seconds)), c.text) << c.unix_seconds;
  }
}

TEST(UnixToDayCount, CountsDaysFrom1899_12_30) {
  EXPECT_DOUBLE_EQ(unix_to_day_count(0), 25569.0);
  EXPECT_DOUBLE_EQ(unix_to_day_count(43200), 25569.5);
  EXPECT_DOUBLE_EQ(unix_to_day_count(-86400), 25568.0);
}

TEST(DateTimeText, UsesBuiltInFormatsUnderTheCLocale) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  expect_default_formats();
}

TEST(DateTimeText, CUtf8CountsAsTheCLocale) {
  if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
  expect_default_formats();
  std::setlocale(LC_ALL, "C");
}

TEST(DateTimeText, IgnoresTheProcessTimeZone) {
  const char* saved = std::getenv("TZ");
  const std::string saved_tz = saved ? saved : "";
  for (const char* zone : {"JST-9", "EST5EDT,M3.2.0,M11.1.0", "NZST-12NZDT,M9.5.0,M4.1.0/3"}) {
    setenv("TZ", zone, 1);
    tzset();
    expect_default_formats();
  }
  if (saved) setenv("TZ", saved_tz.c_str(), 1); else unsetenv("TZ");
  tzset();
}

TEST(DateTimeText, RoundsToTheMillisecond) {
  // Half a millisecond before midnight rounds up to the next day's midnight.
  const double just_before = 25570.0 - 0.0004 / 86400.0;
  EXPECT_EQ(date_time_text(just_before), "1/2/70");
  const auto parts = platform::date_time_parts(25569.0 + 1.2344 / 86400.0);
  EXPECT_EQ(parts.second, 1);
  EXPECT_EQ(parts.millisecond, 234);
  // A fraction of a second alone still counts as midnight for the text.
  EXPECT_EQ(date_time_text(25569.0 + 0.5 / 86400.0), "1/1/70");
}

TEST(DateTimeText, EveryWholeSecondOfThe32BitRangeIsExact) {
  // Sampled with a stride prime to 86400, so that every time of day and a
  // wide spread of days are reached.
  for (std::int64_t seconds = 0; seconds <= 4294967295; seconds += 65537) {
    const auto parts = platform::date_time_parts(unix_to_day_count(seconds));
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm utc{};
    ASSERT_NE(gmtime_r(&t, &utc), nullptr);
    ASSERT_EQ(parts.year, utc.tm_year + 1900) << seconds;
    ASSERT_EQ(parts.month, utc.tm_mon + 1) << seconds;
    ASSERT_EQ(parts.day, utc.tm_mday) << seconds;
    ASSERT_EQ(parts.hour, utc.tm_hour) << seconds;
    ASSERT_EQ(parts.minute, utc.tm_min) << seconds;
    ASSERT_EQ(parts.second, utc.tm_sec) << seconds;
    ASSERT_EQ(parts.millisecond, 0) << seconds;
  }
}

TEST(DateTimeText, FillsEveryFieldAStrftimeFormatMayUse) {
  const auto parts = platform::date_time_parts(unix_to_day_count(1615871392));
  EXPECT_EQ(platform::formatted_date_time_text(parts, "%a %d.%m.%Y (%j)", "%H:%M:%S"),
            "Tue 16.03.2021 (075) 05:09:52");
  const auto leap_day = platform::date_time_parts(unix_to_day_count(951782400 + 86400));
  EXPECT_EQ(platform::formatted_date_time_text(leap_day, "%A %Y-%m-%d day %j", "%T"),
            "Wednesday 2000-03-01 day 061");
  const auto last = platform::date_time_parts(unix_to_day_count(4294967295));
  EXPECT_EQ(platform::formatted_date_time_text(last, "%a %x", "%I:%M:%S %p"),
            "Sun 02/07/06 06:28:15 AM");
}

TEST(DateTimeText, UsesTheFormatsOfAnotherLocale) {
  const struct {
    const char* source;
    const char* at_time;
    const char* at_midnight;
  } cases[] = {
      {"de_DE", "16.03.2021 05:09:52", "01.01.1970"},
      {"en_US", "03/16/2021 05:09:52 AM", "01/01/1970"},
  };
  for (const auto& c : cases) {
    if (!platform_test::select_locale(LC_TIME, c.source, "UTF-8")) {
      std::setlocale(LC_TIME, "C");
      GTEST_SKIP() << "no " << c.source << " locale and none could be built";
    }
    EXPECT_EQ(date_time_text(unix_to_day_count(1615871392)), c.at_time) << c.source;
    EXPECT_EQ(date_time_text(unix_to_day_count(0)), c.at_midnight) << c.source;
  }
  std::setlocale(LC_TIME, "C");
  EXPECT_EQ(date_time_text(unix_to_day_count(0)), "1/1/70");
}

}  // namespace
