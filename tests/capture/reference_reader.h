#pragma once
// The capture reading rules written out the plainest way, one byte at a time
// over a string, to compare the block reader against.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

struct ReferenceLoad {
  std::vector<std::string> all, satellite, time_stamps;
  std::int32_t frame_count = 0;
  std::vector<std::int32_t> progress;
  std::optional<int> error;  // 100 when the capture ends inside a frame
};

inline ReferenceLoad reference_load(std::string_view capture) {
  ReferenceLoad out;
  std::size_t pos = 0;
  struct EndOfFile {};
  const auto next = [&]() -> std::uint8_t {
    if (pos >= capture.size()) throw EndOfFile{};
    return static_cast<std::uint8_t>(capture[pos++]);
  };
  const auto append = [](std::string& line, std::uint8_t b) {
    line += "0123456789ABCDEF"[b >> 4];
    line += "0123456789ABCDEF"[b & 15];
    line += ' ';
  };
  try {
    do {
      next();
      const std::uint8_t command = next();
      std::string line;
      for (;;) {
        std::uint8_t b = next();
        if (command == 0x09 && b == 0x00) {
          append(line, b);
          for (int i = 0; i < 7; ++i) append(line, next());
          if (next() == 0xC0) break;
          continue;
        }
        if (b == 0xC0) break;
        append(line, b);
      }
      out.all.push_back(line);
      if (line.size() >= 35 && line.compare(21, 14, "A8 82 A0 92 A4") == 0) {
        out.satellite.push_back(line);
        ++out.frame_count;
      }
      if (command == 0x09) out.time_stamps.push_back(line);
      out.progress.push_back(out.frame_count);
    } while (pos < capture.size());
  } catch (EndOfFile) {
    out.error = 100;
  }
  return out;
}

}  // namespace test_support
