#pragma once
// The raw values of a beacon's fields, read from an unescaped frame line, for
// the batch decoder's exact (unrounded) columns. A field none of whose bytes
// is in the line is absent; a field cut short is read from the bytes present,
// as the window reads it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace decode_cli {

struct BeaconFields {
  std::optional<std::uint32_t> satellite_time;  // seconds since 1970-01-01 UTC
  std::optional<std::string> message;           // bytes as they stand, up to 30
  std::optional<std::uint32_t> battery_voltage_mv;
  std::optional<std::uint32_t> battery_current_ma;
  std::optional<std::int32_t> temperature_centi_c;  // hundredths of a degree
  std::optional<std::string> mode_digits;           // two hex digits
  std::optional<std::uint32_t> boot_counter;
  std::optional<std::uint32_t> rejected_commands;
  std::optional<std::string> dest_ssid;  // the header bytes' hex digits as they stand
  std::optional<std::string> src_ssid;
  std::optional<std::string> ctl;
  std::optional<std::string> pid;
};

BeaconFields read_beacon_fields(std::string_view unescaped_line);

// Exact decimal texts from integer arithmetic: 3712 -> "3.712", -525 -> "-5.25".
std::string thousandths_text(std::uint32_t value);
std::string hundredths_text(std::int32_t value);

// "2021-03-16T05:09:52Z".
std::string iso8601_utc(std::uint32_t seconds_since_1970);

// NOMINAL, LEOP, SAFE or GROUND; any other code stays as its two hex digits.
std::string mode_name(std::string_view mode_digits);

}  // namespace decode_cli
