#pragma once
// A frame is kept as a line of hex text: two upper-case hex digits and one
// blank per byte, the last byte included. Byte k (from 1) has its digits at
// characters 3k-2 and 3k-1.

#include <cstdint>
#include <string>
#include <string_view>

namespace capture {

// The two hex digits of one byte, no blank.
std::string hexa(std::uint8_t byte);

// The first `count` bytes of a hex-text line as characters. A byte past the
// end of the line, or a pair that is not hex, is a conversion error.
std::string texto(std::string_view line, std::int32_t count);

// As texto, with each value halved: AX.25 address bytes hold a call-sign
// character shifted left by one bit.
std::string indicativo(std::string_view line, std::int32_t count);

// Characters 3k-2 and 3k-1 of the line, fewer at its end, none past it.
constexpr std::string_view byte_digits(std::string_view line, std::size_t byte_no) {
  const std::size_t start = 3 * byte_no - 3;
  return start < line.size() ? line.substr(start, 2) : std::string_view{};
}

}  // namespace capture
