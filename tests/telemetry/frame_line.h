#pragma once
// Builds hex-text lines, as the capture reader stores them, for the tests.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "capture/hex_text.h"

namespace telemetry_test {

inline std::string hex_line(const std::vector<std::uint8_t>& bytes) {
  std::string line;
  for (auto byte : bytes) line.append(capture::hexa(byte)).push_back(' ');
  return line;
}

inline std::string hex_line(std::string_view characters) {
  return hex_line(std::vector<std::uint8_t>(characters.begin(), characters.end()));
}

// A frame of the satellite with every field set, bytes counted from 1.
class Frame {
 public:
  explicit Frame(std::size_t length = 66) : bytes_(length, 0) {
    set(7, 0x60);
    set(14, 0xE1);
    set(15, 0x03);
    set(16, 0xF0);
    set_message("HELLO");
    set_le(51, 4, 1615871392);  // bytes A0 3D 50 60
    set_le(55, 2, 3712);
    set_le(57, 2, 5);
    set_le(59, 2, 2345);
    set(61, 0x03);
    set_le(62, 2, 17);
    set_le(64, 2, 2);
  }

  Frame& set(std::size_t byte_no, std::uint8_t value) {
    if (byte_no <= bytes_.size()) bytes_[byte_no - 1] = value;
    return *this;
  }

  // A little-endian field of `count` bytes from `byte_no` on.
  Frame& set_le(std::size_t byte_no, std::size_t count, std::uint64_t value) {
    for (std::size_t i = 0; i < count; ++i) set(byte_no + i, static_cast<std::uint8_t>(value >> (8 * i)));
    return *this;
  }

  // Bytes 21 to 50; what the text leaves free is zero.
  Frame& set_message(std::string_view text) {
    for (std::size_t i = 0; i < 30; ++i) set(21 + i, i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
    return *this;
  }

  std::string line() const { return hex_line(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace telemetry_test
