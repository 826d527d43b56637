#pragma once
// A deliberately plain reader of a capture held in memory, one byte at a
// time, straight from the reading rules. The fast reader must leave exactly
// what this one leaves; tests and the fuzzer compare the two.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

struct ReferenceLists {
  std::vector<std::string> all;         // Memo1
  std::vector<std::string> satellite;   // Memo2
  std::vector<std::string> unescaped;   // Memo3 (only after a clean read)
  std::vector<std::string> time_stamps; // Memo4
  std::vector<std::int32_t> progress;   // the satellite's frame count after each frame
  bool ran_out = false;                 // the capture ended inside a frame

  std::int32_t frame_count() const { return static_cast<std::int32_t>(satellite.size()); }
};

inline std::string reference_hex(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
    text += ' ';
  }
  return text;
}

// Unescapes on bytes rather than on text, so that it shares nothing with the
// reader's own text-based unescaping.
inline std::vector<std::uint8_t> reference_unescape(const std::vector<std::uint8_t>& in) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != 0xDB) {
      out.push_back(in[i]);
      continue;
    }
    ++i;
    if (i >= in.size()) break;
    if (in[i] == 0xDC) out.push_back(0xC0);
    else if (in[i] == 0xDD) out.push_back(0xDB);
  }
  return out;
}

inline ReferenceLists reference_read(const std::uint8_t* data, std::size_t size) {
  ReferenceLists lists;
  std::size_t pos = 0;
  auto next = [&](std::uint8_t& b) {
    if (pos >= size) return false;
    b = data[pos++];
    return true;
  };
  std::vector<std::vector<std::uint8_t>> satellite_bytes;
  // Like the reader, at least one frame is read: an empty capture runs out at once.
  do {
    std::uint8_t opening = 0, command = 0, b = 0;
    std::vector<std::uint8_t> frame;
    bool complete = false;
    if (!next(opening) || !next(command)) {
      lists.ran_out = true;
      break;
    }
    while (next(b)) {
      if (command == 0x09 && b == 0x00) {
        frame.push_back(b);
        bool whole_block = true;
        for (int i = 0; i < 7 && whole_block; ++i) {
          whole_block = next(b);
          if (whole_block) frame.push_back(b);
        }
        if (!whole_block || !next(b)) break;
        if (b == 0xC0) {
          complete = true;
          break;
        }
        continue;  // the byte after a block is dropped
      }
      if (b == 0xC0) {
        complete = true;
        break;
      }
      frame.push_back(b);
    }
    if (!complete) {
      lists.ran_out = true;
      break;
    }
    const std::string line = reference_hex(frame);
    lists.all.push_back(line);
    // Data bytes 8 to 12: the first five letters of the source address, TAPIR.
    static constexpr std::uint8_t kTapir[] = {0xA8, 0x82, 0xA0, 0x92, 0xA4};
    bool satellite = frame.size() >= 12;
    for (std::size_t i = 0; satellite && i < 5; ++i) satellite = frame[7 + i] == kTapir[i];
    if (satellite) {
      lists.satellite.push_back(line);
      satellite_bytes.push_back(frame);
    }
    if (command == 0x09) lists.time_stamps.push_back(line);
    lists.progress.push_back(lists.frame_count());
  } while (pos < size);
  // Unescaping runs only after a clean read.
  if (!lists.ran_out) {
    for (const auto& frame : satellite_bytes) {
      lists.unescaped.push_back(reference_hex(reference_unescape(frame)));
    }
  }
  return lists;
}

inline ReferenceLists reference_read(std::string_view capture) {
  return reference_read(reinterpret_cast<const std::uint8_t*>(capture.data()), capture.size());
}

}  // namespace test_support
