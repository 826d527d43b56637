#pragma once
// Small KISS captures built byte by byte for the tests: the satellite's
// beacons with chosen telemetry, KISS framing with its escapes, time stamps.

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fixture {

// An AX.25 address field: six characters padded with blanks, each shifted left by one.
inline std::string address(std::string_view call) {
  std::string field;
  for (std::size_t i = 0; i < 6; ++i) field += static_cast<char>((i < call.size() ? call[i] : ' ') << 1);
  return field;
}

inline void put_le(std::string& bytes, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Beacon {
  std::string destination = "CQ";
  std::string source = "TAPIR1";
  std::string message = "HELLO";  // padded with zero bytes to 30
  std::uint32_t satellite_time = 0x60503DA0;  // 2021-03-16 05:09:52 UTC
  std::uint16_t voltage_mv = 3712;
  std::uint16_t current_ma = 5;
  std::int16_t temperature_centi = 2345;
  std::uint8_t mode = 3;
  std::uint16_t boot_counter = 7;
  std::uint16_t rejected_commands = 1;
};

// The 65 bytes of a beacon's AX.25 frame, unescaped.
inline std::string beacon_bytes(const Beacon& beacon) {
  std::string frame = address(beacon.destination);
  frame += '\x60';  // destination SSID
  frame += address(beacon.source);
  frame += "\xE1\x03\xF0";  // source SSID, control, PID
  frame += std::string(4, '\0');
  std::string message = beacon.message;
  message.resize(30, '\0');
  frame += message;
  put_le(frame, beacon.satellite_time, 4);
  put_le(frame, beacon.voltage_mv, 2);
  put_le(frame, beacon.current_ma, 2);
  put_le(frame, static_cast<std::uint16_t>(beacon.temperature_centi), 2);
  frame += static_cast<char>(beacon.mode);
  put_le(frame, beacon.boot_counter, 2);
  put_le(frame, beacon.rejected_commands, 2);
  return frame;
}

// A KISS frame: FEND, command, the data with C0 and DB escaped, FEND.
inline std::string kiss(std::uint8_t command, std::string_view data) {
  std::string frame = "\xC0";
  frame += static_cast<char>(command);
  for (char c : data) {
    if (c == '\xC0') frame += "\xDB\xDC";
    else if (c == '\xDB') frame += "\xDB\xDD";
    else frame += c;
  }
  return frame + "\xC0";
}

inline std::string data_frame(std::string_view ax25) { return kiss(0x00, ax25); }

// A reception time stamp in its numeric form: milliseconds since 1970, 8 bytes big-endian.
inline std::string time_stamp_frame(std::uint64_t milliseconds) {
  std::string frame = "\xC0\x09";
  for (int i = 7; i >= 0; --i) frame += static_cast<char>((milliseconds >> (8 * i)) & 0xFF);
  return frame + "\xC0";
}

inline constexpr std::uint64_t kReceived = 1615871392999;  // 2021-03-16 05:09:52.999 UTC

// The same bytes as the byte vectors some tests build with.
using Bytes = std::vector<std::uint8_t>;
inline Bytes to_bytes(std::string_view text) { return Bytes(text.begin(), text.end()); }
inline std::string to_text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

inline void write_file(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace fixture
