#pragma once
// Date-time values as a day count from 1899-12-30 whose fraction is the time
// of day, and their text. Always UTC: the machine's time zone is never used.

#include <cstdint>
#include <string>

namespace platform {

// Seconds since 1970-01-01 00:00:00 UTC as a day count (25569 is 1970-01-01).
double unix_to_day_count(std::int64_t seconds);

// A day count broken into its calendar parts, rounded to the millisecond.
struct DateTimeParts {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

DateTimeParts date_time_parts(double day_count);

// The short date, one blank and the long time; the time is left out when
// hour, minute and second are all 0. The formats are read at each call from
// the process locale's LC_TIME category: under the C or POSIX locale (also
// "C.UTF-8") they are "m/d/yy" and "h:mm:ss am|pm" on a 12-hour clock, e.g.
// "3/16/21 5:09:52 am"; under any other locale its nl_langinfo D_FMT and
// T_FMT strftime formats.
std::string date_time_text(double day_count);

// The same text with the built-in formats, whatever the process locale.
std::string default_date_time_text(const DateTimeParts& parts);

// The same text with strftime formats for the date and the time.
std::string formatted_date_time_text(const DateTimeParts& parts, const char* date_format,
                                     const char* time_format);

}  // namespace platform
