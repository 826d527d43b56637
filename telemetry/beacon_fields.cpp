#include "telemetry/beacon_fields.h"

#include "capture/hex_text.h"
#include "platform/runtime/hex_convert.h"
#include "platform/runtime/number_text.h"

namespace telemetry {

namespace {

// The scales are extended-precision values and the products are formed in
// that precision: the fixed-point text's rounding to 18 significant digits
// then gives back the exact decimal quotient for every count.
constexpr long double kVoltsPerMillivolt = 0.001L;
constexpr long double kDegreesPerCount = 0.01L;

struct ModeCode {
  std::string_view digits;
  std::string_view text;
};

constexpr ModeCode kModes[] = {
    {"03", " Mode: NOMINAL "},
    {"02", " Mode: LEOP "},
    {"01", " Mode: SAFE "},
    {"00", " Mode: GROUND "},
};

}  // namespace

std::int64_t field_value(std::string_view line, std::size_t first_byte, std::size_t last_byte) {
  std::string digits;
  for (std::size_t byte = last_byte; byte >= first_byte; --byte) {
    digits.append(capture::byte_digits(line, byte));
  }
  return platform::hex_digits_to_int64(digits);
}

std::string field_characters(std::string_view line, std::size_t first_byte, std::size_t last_byte) {
  std::string text;
  for (std::size_t byte = first_byte; byte <= last_byte; ++byte) {
    const auto code = platform::hex_digits_to_int32(capture::byte_digits(line, byte));
    text.push_back(static_cast<char>(static_cast<unsigned char>(code)));
  }
  return text;
}

std::string voltage_text(std::uint16_t millivolts) {
  return platform::fixed_point_text(static_cast<long double>(millivolts) * kVoltsPerMillivolt, 6, 3);
}

std::string current_text(std::uint16_t milliamperes) {
  return platform::fixed_point_text(static_cast<long double>(milliamperes), 4, 1);
}

std::string temperature_text(std::uint16_t raw_count) {
  const int count = raw_count > 32767 ? raw_count - 65536 : raw_count;
  return platform::fixed_point_text(static_cast<long double>(count) * kDegreesPerCount, 4, 1);
}

std::optional<std::string> mode_text(std::string_view mode_digits) {
  for (const auto& mode : kModes) {
    if (mode.digits == mode_digits) return std::string(mode.text);
  }
  return std::nullopt;
}

}  // namespace telemetry
