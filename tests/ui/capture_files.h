#pragma once
// Small capture files made byte by byte for the window tests: the satellite's
// beacons with chosen telemetry, frames of other stations and time stamps.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/kiss_fixture.h"

namespace tests {

using Bytes = fixture::Bytes;

struct Beacon {
  std::string destination = "CQ";
  std::string message = "HELLO";
  std::uint32_t time_stamp = 0x60503DA0;  // 2021-03-16 05:09:52
  std::uint16_t millivolts = 3712;
  std::uint16_t milliamperes = 5;
  std::int16_t centidegrees = 2345;
  std::uint8_t mode = 0x03;
  std::uint16_t boots = 7;
  std::uint16_t rejected = 0;
};

// The satellite's AX.25 frame of 65 bytes, unescaped.
inline Bytes beacon_frame(const Beacon& b) {
  fixture::Beacon beacon;
  beacon.destination = b.destination;
  beacon.message = b.message;
  beacon.satellite_time = b.time_stamp;
  beacon.voltage_mv = b.millivolts;
  beacon.current_ma = b.milliamperes;
  beacon.temperature_centi = b.centidegrees;
  beacon.mode = b.mode;
  beacon.boot_counter = b.boots;
  beacon.rejected_commands = b.rejected;
  return fixture::to_bytes(fixture::beacon_bytes(beacon));
}

// A frame of another station.
inline Bytes other_frame() {
  return fixture::to_bytes(fixture::address("CQ") + "\x60" + fixture::address("OTHER1") + "\x61\x03\xF0" + "x");
}

// One KISS data frame: FEND, command 0, the escaped data, FEND.
inline Bytes kiss(const Bytes& data) { return fixture::to_bytes(fixture::data_frame(fixture::to_text(data))); }

// A reception time-stamp frame in its numeric form: milliseconds since 1970.
inline Bytes time_stamp(std::uint64_t milliseconds) {
  return fixture::to_bytes(fixture::time_stamp_frame(milliseconds));
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::string write_file(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// n beacons whose boot counters number them 1 to n.
inline Bytes beacons(int n) {
  Bytes out;
  for (int k = 1; k <= n; ++k) {
    Beacon b;
    b.boots = static_cast<std::uint16_t>(k);
    const Bytes frame = kiss(beacon_frame(b));
    out.insert(out.end(), frame.begin(), frame.end());
  }
  return out;
}

}  // namespace tests
