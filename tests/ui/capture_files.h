#pragma once
// Small capture files made byte by byte for the window tests: the satellite's
// beacons with chosen telemetry, frames of other stations and time stamps.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace tests {

using Bytes = std::vector<std::uint8_t>;

// An AX.25 address: six characters, each shifted left by one bit.
inline void put_call(Bytes& out, const std::string& call) {
  for (std::size_t i = 0; i < 6; ++i) {
    out.push_back(static_cast<std::uint8_t>((i < call.size() ? call[i] : ' ') << 1));
  }
}

inline void put_le(Bytes& out, std::uint64_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

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
  Bytes out;
  put_call(out, b.destination);
  out.push_back(0x60);
  put_call(out, "TAPIR1");
  out.push_back(0xE1);
  out.push_back(0x03);  // control
  out.push_back(0xF0);  // protocol identifier
  put_le(out, 0, 4);
  for (std::size_t i = 0; i < 30; ++i) {
    out.push_back(i < b.message.size() ? static_cast<std::uint8_t>(b.message[i]) : 0);
  }
  put_le(out, b.time_stamp, 4);
  put_le(out, b.millivolts, 2);
  put_le(out, b.milliamperes, 2);
  put_le(out, static_cast<std::uint16_t>(b.centidegrees), 2);
  out.push_back(b.mode);
  put_le(out, b.boots, 2);
  put_le(out, b.rejected, 2);
  return out;
}

// A frame of another station.
inline Bytes other_frame() {
  Bytes out;
  put_call(out, "CQ");
  out.push_back(0x60);
  put_call(out, "OTHER1");
  out.push_back(0x61);
  out.push_back(0x03);
  out.push_back(0xF0);
  out.push_back('x');
  return out;
}

// One KISS data frame: FEND, command 0, the escaped data, FEND.
inline Bytes kiss(const Bytes& data) {
  Bytes out{0xC0, 0x00};
  for (std::uint8_t b : data) {
    if (b == 0xC0) {
      out.insert(out.end(), {0xDB, 0xDC});
    } else if (b == 0xDB) {
      out.insert(out.end(), {0xDB, 0xDD});
    } else {
      out.push_back(b);
    }
  }
  out.push_back(0xC0);
  return out;
}

// A reception time-stamp frame in its numeric form: milliseconds since 1970.
inline Bytes time_stamp(std::uint64_t milliseconds) {
  Bytes out{0xC0, 0x09, 0x00, 0x00};
  for (int shift = 40; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(milliseconds >> shift));
  out.push_back(0xC0);
  return out;
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
