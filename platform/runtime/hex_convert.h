#pragma once
// Hex-to-integer conversion of "$" followed by hex digits, as the decoding
// reads every field: "$" alone, a blank or any other character is a
// conversion error carrying the whole text.

#include <cstdint>
#include <string_view>

namespace platform {

// At most 8 significant digits; 80000000 hex and above come out negative.
std::int32_t hex_to_int32(std::string_view dollar_text);

// At most 16 significant digits.
std::int64_t hex_to_int64(std::string_view dollar_text);

// The same conversions on the digits alone, as the decoder builds them: the
// error, if any, still names the text with its "$".
std::int32_t hex_digits_to_int32(std::string_view digits);
std::int64_t hex_digits_to_int64(std::string_view digits);

}  // namespace platform
