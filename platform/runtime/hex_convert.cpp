#include "platform/runtime/hex_convert.h"

#include <string>

#include "platform/runtime/errors.h"

namespace platform {

namespace {

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

[[noreturn]] void fail(std::string_view digits) {
  throw ConvertError("$" + std::string(digits));
}

// Reads the digits as an unsigned value of at most `max_significant` digits.
std::uint64_t read_hex(std::string_view digits, int max_significant) {
  if (digits.empty()) fail(digits);
  std::uint64_t value = 0;
  int significant = 0;
  for (char c : digits) {
    const int d = digit_value(c);
    if (d < 0) fail(digits);
    if (significant > 0 || d != 0) ++significant;
    if (significant > max_significant) fail(digits);
    value = (value << 4) | static_cast<std::uint64_t>(d);
  }
  return value;
}

std::string_view after_dollar(std::string_view dollar_text) {
  if (dollar_text.empty() || dollar_text.front() != '$') throw ConvertError(dollar_text);
  return dollar_text.substr(1);
}

}  // namespace

std::int32_t hex_digits_to_int32(std::string_view digits) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(read_hex(digits, 8)));
}

std::int64_t hex_digits_to_int64(std::string_view digits) {
  return static_cast<std::int64_t>(read_hex(digits, 16));
}

std::int32_t hex_to_int32(std::string_view dollar_text) {
  return hex_digits_to_int32(after_dollar(dollar_text));
}

std::int64_t hex_to_int64(std::string_view dollar_text) {
  return hex_digits_to_int64(after_dollar(dollar_text));
}

}  // namespace platform
