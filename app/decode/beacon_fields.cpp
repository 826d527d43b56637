#include "app/decode/beacon_fields.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "capture/hex_text.h"
#include "platform/runtime/errors.h"
#include "telemetry/beacon_fields.h"

namespace decode_cli {

namespace {

// Bytes of a little-endian field, counted from 1 in the frame line.
struct ByteRange {
  std::size_t first;
  std::size_t last;
};

constexpr ByteRange kSatelliteTime{51, 54};
constexpr ByteRange kMessage{21, 50};
constexpr ByteRange kBatteryVoltage{55, 56};
constexpr ByteRange kBatteryCurrent{57, 58};
constexpr ByteRange kTemperature{59, 60};
constexpr std::size_t kMode = 61;
constexpr ByteRange kBootCounter{62, 63};
constexpr ByteRange kRejectedCommands{64, 65};
constexpr std::size_t kDestSsid = 7;
constexpr std::size_t kSrcSsid = 14;
constexpr std::size_t kControl = 15;
constexpr std::size_t kProtocolId = 16;

// The window's reading of a field; none of its bytes present: absent.
std::optional<std::uint32_t> unsigned_field(std::string_view line, ByteRange bytes) {
  try {
    return static_cast<std::uint32_t>(telemetry::field_value(line, bytes.first, bytes.last));
  } catch (const platform::ConvertError&) {
    return std::nullopt;
  }
}

std::optional<std::string> digits_field(std::string_view line, std::size_t byte_no) {
  const std::string_view digits = capture::byte_digits(line, byte_no);
  if (digits.empty()) return std::nullopt;
  return std::string(digits);
}

// The message bytes that the line holds.
std::optional<std::string> message_field(std::string_view line) {
  const std::size_t bytes_in_line = (line.size() + 1) / 3;  // each byte but the last has its blank
  const std::size_t last = std::min(kMessage.last, bytes_in_line);
  if (last < kMessage.first) return std::nullopt;
  try {
    return telemetry::field_characters(line, kMessage.first, last);
  } catch (const platform::ConvertError&) {
    return std::nullopt;
  }
}

// value / 10^decimals with exactly `decimals` digits after the point.
std::string scaled_text(std::int64_t value, int decimals) {
  std::uint64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const std::uint64_t magnitude = value < 0 ? static_cast<std::uint64_t>(-value) : static_cast<std::uint64_t>(value);
  char text[32];
  std::snprintf(text, sizeof text, "%s%llu.%0*llu", value < 0 ? "-" : "",
                static_cast<unsigned long long>(magnitude / scale), decimals,
                static_cast<unsigned long long>(magnitude % scale));
  return text;
}

}  // namespace

BeaconFields read_beacon_fields(std::string_view line) {
  BeaconFields fields;
  fields.satellite_time = unsigned_field(line, kSatelliteTime);
  fields.message = message_field(line);
  fields.battery_voltage_mv = unsigned_field(line, kBatteryVoltage);
  fields.battery_current_ma = unsigned_field(line, kBatteryCurrent);
  if (const auto raw = unsigned_field(line, kTemperature)) {
    // A value from one byte alone is below 256 and stays positive, as in the window.
    fields.temperature_centi_c = *raw > 32767 ? static_cast<std::int32_t>(*raw) - 65536 : static_cast<std::int32_t>(*raw);
  }
  fields.mode_digits = digits_field(line, kMode);
  fields.boot_counter = unsigned_field(line, kBootCounter);
  fields.rejected_commands = unsigned_field(line, kRejectedCommands);
  fields.dest_ssid = digits_field(line, kDestSsid);
  fields.src_ssid = digits_field(line, kSrcSsid);
  fields.ctl = digits_field(line, kControl);
  fields.pid = digits_field(line, kProtocolId);
  return fields;
}

std::string thousandths_text(std::uint32_t value) { return scaled_text(value, 3); }

std::string hundredths_text(std::int32_t value) { return scaled_text(value, 2); }

std::string iso8601_utc(std::uint32_t seconds_since_1970) {
  using namespace std::chrono;
  const sys_seconds instant{seconds{seconds_since_1970}};
  const sys_days day = floor<days>(instant);
  const year_month_day date{day};
  const hh_mm_ss time{instant - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()));
  return text;
}

std::string mode_name(std::string_view mode_digits) {
  // The window's mode text without its prefix and blanks: " Mode: NOMINAL " -> "NOMINAL".
  constexpr std::string_view kPrefix = " Mode: ";
  const auto text = telemetry::mode_text(mode_digits);
  if (!text || !text->starts_with(kPrefix)) return std::string(mode_digits);
  std::string name = text->substr(kPrefix.size());
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

}  // namespace decode_cli
