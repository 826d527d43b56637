#include "capture/capture_reader.h"

#include <string>

#include "capture/hex_text.h"
#include "platform/runtime/errors.h"

namespace capture {

namespace {

constexpr std::uint8_t kFend = 0xC0;
constexpr std::uint8_t kTimeStampCommand = 0x09;

// Byte-at-a-time reading over the capture, with the end-of-file error.
class ByteReader {
 public:
  explicit ByteReader(platform::CaptureFile& file) : file_(file) {}
  std::uint8_t next() {
    if (pos_ == len_) {
      len_ = file_.read(buffer_, sizeof buffer_);
      pos_ = 0;
      if (len_ == 0) throw platform::IoError(platform::io_code::read_beyond_end_of_file);
    }
    return buffer_[pos_++];
  }
  bool at_end() const { return pos_ == len_ && file_.at_end(); }

 private:
  platform::CaptureFile& file_;
  std::uint8_t buffer_[1 << 16];
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
};

void append_byte(std::string& line, std::uint8_t b) {
  line += hexa(b);
  line += ' ';
}

}  // namespace

bool is_satellite_frame(std::string_view line) noexcept {
  return line.size() >= 35 && line.substr(21, 14) == "A8 82 A0 92 A4";
}

void carrega(platform::CaptureFile& capture, FrameLists& lists, const Progress& progress) {
  struct Closer {
    platform::CaptureFile& file;
    ~Closer() { file.close(); }
  } closer{capture};
  auto reader = std::make_unique<ByteReader>(capture);
  std::string line;
  for (;;) {
    reader->next();  // opening byte, not looked at
    const std::uint8_t command = reader->next();
    line.clear();
    for (;;) {
      std::uint8_t b = reader->next();
      if (command == kTimeStampCommand && b == 0x00) {
        append_byte(line, b);
        for (int i = 0; i < 7; ++i) append_byte(line, reader->next());
        b = reader->next();
        if (b == kFend) break;
        continue;
      }
      if (b == kFend) break;
      append_byte(line, b);
    }
    const std::string_view kept = lists.text.keep(line);
    lists.Memo1.append(kept);
    if (is_satellite_frame(kept)) {
      lists.Memo2.append(kept);
      ++lists.frame_count;
    }
    if (command == kTimeStampCommand) lists.Memo4.append(kept);
    if (progress) progress(lists.frame_count);
    if (reader->at_end()) return;
  }
}

}  // namespace capture
