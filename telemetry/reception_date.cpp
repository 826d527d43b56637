#include <string>

#include "capture/hex_text.h"
#include "platform/runtime/date_time.h"
#include "platform/runtime/hex_convert.h"
#include "telemetry/decode.h"

namespace telemetry {

namespace {

// Numeric form: eight bytes, a big-endian count of milliseconds since 1970
// of which bytes 3 to 8 are used.
constexpr std::size_t kNumericLineLength = 24;
// Text form: more than two eight-byte blocks, bytes 25 to 27 reading "UTC".
constexpr std::size_t kTextMinimumLength = 49;
constexpr std::size_t kTextLength = 27;

std::string numeric_reception_date(std::string_view line) {
  std::string digits;
  for (std::size_t byte = 3; byte <= 8; ++byte) digits.append(capture::byte_digits(line, byte));
  const std::int64_t milliseconds = platform::hex_digits_to_int64(digits);
  // Whole seconds: the milliseconds are dropped, never rounded up.
  const double day_count = platform::unix_to_day_count(milliseconds / 1000);
  return "RX date: " + platform::date_time_text(day_count) + " UTC";
}

bool is_text_form(std::string_view line) {
  if (line.size() < kTextMinimumLength) return false;
  std::string marker;
  for (std::size_t byte = 25; byte <= 27; ++byte) marker.append(capture::byte_digits(line, byte));
  return marker == "555443";
}

}  // namespace

std::optional<std::string> reception_date(std::string_view time_stamp_line) {
  if (time_stamp_line.size() == kNumericLineLength) return numeric_reception_date(time_stamp_line);
  if (is_text_form(time_stamp_line)) {
    return " RX date: " + capture::texto(time_stamp_line, static_cast<std::int32_t>(kTextLength));
  }
  return std::nullopt;
}

}  // namespace telemetry
