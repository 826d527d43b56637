#include "capture/hex_text.h"

#include "platform/runtime/hex_convert.h"

namespace capture {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

template <int Shift>
std::string convert_bytes(std::string_view line, std::int32_t count) {
  std::string text;
  if (count <= 0) return text;
  text.reserve(static_cast<std::size_t>(count));
  for (std::int32_t k = 1; k <= count; ++k) {
    const auto value = platform::hex_digits_to_int32(byte_digits(line, static_cast<std::size_t>(k)));
    text.push_back(static_cast<char>(static_cast<unsigned char>(value >> Shift)));
  }
  return text;
}

}  // namespace

std::string hexa(std::uint8_t byte) { return {kDigits[byte >> 4], kDigits[byte & 0x0F]}; }

std::string texto(std::string_view line, std::int32_t count) { return convert_bytes<0>(line, count); }

std::string indicativo(std::string_view line, std::int32_t count) {
  return convert_bytes<1>(line, count);
}

}  // namespace capture
