#include "platform/runtime/date_time.h"

#include <langinfo.h>

#include <clocale>
#include <cmath>
#include <ctime>
#include <string_view>

namespace platform {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kUnixEpochDay = 25569.0;
constexpr std::int64_t kMillisecondsPerDay = 86'400'000;

struct CivilDate {
  int year;
  int month;
  int day;
};

// Gregorian date of a day number counted from 1970-01-01, for any day.
CivilDate civil_from_days(std::int64_t days) {
  days += 719468;  // from 0000-03-01
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;  // March is 0
  const int day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  const int month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), month, day};
}

std::string two_digits(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

bool is_c_locale(const char* name) {
  if (name == nullptr) return true;
  const std::string_view locale(name);
  return locale == "C" || locale == "POSIX" || locale.starts_with("C.");
}

std::tm to_tm(const DateTimeParts& parts) {
  std::tm tm{};
  tm.tm_year = parts.year - 1900;
  tm.tm_mon = parts.month - 1;
  tm.tm_mday = parts.day;
  tm.tm_hour = parts.hour;
  tm.tm_min = parts.minute;
  tm.tm_sec = parts.second;
  static constexpr int kDaysBeforeMonth[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const bool leap = (parts.year % 4 == 0 && parts.year % 100 != 0) || parts.year % 400 == 0;
  tm.tm_yday = kDaysBeforeMonth[parts.month - 1] + parts.day - 1 + (leap && parts.month > 2 ? 1 : 0);
  // Day of the week by Sakamoto's rule, 0 for Sunday.
  static constexpr int kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int y = parts.month < 3 ? parts.year - 1 : parts.year;
  tm.tm_wday = ((y + y / 4 - y / 100 + y / 400 + kMonthOffset[parts.month - 1] + parts.day) % 7 + 7) % 7;
  return tm;
}

std::string format_tm(const char* format, const std::tm& tm) {
  if (format == nullptr || *format == '\0') return {};
  char buffer[256];
  const std::size_t length = std::strftime(buffer, sizeof buffer, format, &tm);
  return std::string(buffer, length);
}

std::int64_t total_milliseconds(double day_count) {
  return std::llround(day_count * static_cast<double>(kMillisecondsPerDay));
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool has_time(const DateTimeParts& parts) {
  return parts.hour != 0 || parts.minute != 0 || parts.second != 0;
}

}  // namespace

double unix_to_day_count(std::int64_t seconds) {
  return static_cast<double>(seconds) / kSecondsPerDay + kUnixEpochDay;
}

DateTimeParts date_time_parts(double day_count) {
  const std::int64_t ms = total_milliseconds(day_count);
  const std::int64_t day = floor_div(ms, kMillisecondsPerDay);
  std::int64_t time = ms - day * kMillisecondsPerDay;
  const CivilDate date = civil_from_days(day - static_cast<std::int64_t>(kUnixEpochDay));
  DateTimeParts parts;
  parts.year = date.year;
  parts.month = date.month;
  parts.day = date.day;
  parts.millisecond = static_cast<int>(time % 1000);
  time /= 1000;
  parts.second = static_cast<int>(time % 60);
  time /= 60;
  parts.minute = static_cast<int>(time % 60);
  parts.hour = static_cast<int>(time / 60);
  return parts;
}

std::string default_date_time_text(const DateTimeParts& parts) {
  std::string text;
  text.append(std::to_string(parts.month)).append("/");
  text.append(std::to_string(parts.day)).append("/");
  text.append(two_digits(((parts.year % 100) + 100) % 100));
  if (!has_time(parts)) return text;
  const int clock_hour = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
  text.append(" ").append(std::to_string(clock_hour));
  text.append(":").append(two_digits(parts.minute));
  text.append(":").append(two_digits(parts.second));
  text.append(parts.hour < 12 ? " am" : " pm");
  return text;
}

std::string formatted_date_time_text(const DateTimeParts& parts, const char* date_format,
                                     const char* time_format) {
  const std::tm tm = to_tm(parts);
  std::string text = format_tm(date_format, tm);
  if (!has_time(parts)) return text;
  return text + " " + format_tm(time_format, tm);
}

std::string date_time_text(double day_count) {
  const DateTimeParts parts = date_time_parts(day_count);
  if (is_c_locale(std::setlocale(LC_TIME, nullptr))) return default_date_time_text(parts);
  return formatted_date_time_text(parts, nl_langinfo(D_FMT), nl_langinfo(T_FMT));
}

}  // namespace platform
