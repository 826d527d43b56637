#pragma once
// The fields of the satellite's frame, read from its hex-text line by byte
// number, and the texts their labels show.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace telemetry {

// The little-endian field of bytes first..last (from 1): their hex pairs
// joined, the last byte first, read as one unsigned hex number. Pairs past
// the end of the line add no digits, so a field with none of its bytes in
// the line throws platform::ConvertError for "$".
std::int64_t field_value(std::string_view line, std::size_t first_byte, std::size_t last_byte);

// Bytes first..last as characters, one per byte.
std::string field_characters(std::string_view line, std::size_t first_byte, std::size_t last_byte);

// Number texts of the three measured fields, from their raw 16-bit counts.
std::string voltage_text(std::uint16_t millivolts);      // count / 1000, width 6, 3 decimals
std::string current_text(std::uint16_t milliamperes);    // count, width 4, 1 decimal
std::string temperature_text(std::uint16_t raw_count);   // signed count / 100, width 4, 1 decimal

// The mode text for the hex digits of the mode byte; none for an unknown code.
std::optional<std::string> mode_text(std::string_view mode_digits);

}  // namespace telemetry
