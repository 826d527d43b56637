#pragma once
// Synthetic KISS captures of TAPIR1 passes: the demo capture of the samples
// and large captures of realistic traffic for the benchmarks. Everything is
// derived from a seed, so the same seed always gives the same bytes.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kss_generator {

using Bytes = std::vector<std::uint8_t>;

// Small, fast and the same on every compiler and library (unlike the
// standard distributions).
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() noexcept;
  // Uniform in lo..hi, both included.
  std::int64_t between(std::int64_t lo, std::int64_t hi) noexcept;
  bool chance(double probability) noexcept;

 private:
  std::uint64_t state_;
};

// One beacon of the satellite, as its telemetry record holds it.
struct Beacon {
  std::string destination = "CQ";  // call sign, blank-padded to six
  std::uint8_t destination_ssid = 0x60;
  std::uint8_t source_ssid = 0xE1;
  std::uint32_t sequence = 0;        // first four bytes of the information field
  std::string message;               // up to 30 characters, zero-padded
  std::uint32_t satellite_time = 0;  // seconds since 1970
  std::uint16_t battery_mv = 0;
  std::uint16_t battery_ma = 0;
  std::int16_t temperature_centi = 0;  // hundredths of a degree Celsius
  std::uint8_t mode = 3;               // 0 ground, 1 safe, 2 LEOP, 3 nominal
  std::uint16_t boot_counter = 0;
  std::uint16_t rejected_commands = 0;
};

// The AX.25 UI frame of a beacon, unescaped (65 bytes and a 2-byte tail).
Bytes beacon_frame(const Beacon& beacon);

// An AX.25 UI frame from `source` to `destination` with `info` as its information field.
Bytes ax25_ui_frame(std::string_view destination, std::string_view source, const Bytes& info);

// Appends FEND, the command byte, the KISS-escaped content and FEND.
void append_kiss_frame(std::string& out, std::uint8_t command, const Bytes& content);

// The two forms of the capture tool's reception time stamp (command 0x09):
// eight raw bytes of milliseconds since 1970, big-endian, or the text
// "YYYY-MM-DD hh:mm:ss.mmm UTC".
void append_numeric_time_stamp(std::string& out, std::uint64_t unix_ms);
void append_text_time_stamp(std::string& out, std::uint64_t unix_ms);
std::string time_stamp_text(std::uint64_t unix_ms);

// The demo capture: one pass of about a hundred beacons with time stamps of
// both forms, and frames of other stations between them.
std::string demo_capture(std::uint64_t seed = 1);

// Receives the capture in pieces.
using Sink = std::function<void(std::string_view bytes)>;

// Back-to-back passes with heavier traffic of other stations, whole frames
// only, until at least `size` bytes have gone to the sink.
void generate_traffic(std::uint64_t size, std::uint64_t seed, const Sink& sink);

// "64M", "512K", "1G" or a plain byte count; nothing when the text is not a size.
std::optional<std::uint64_t> parse_size(std::string_view text);

}  // namespace kss_generator
