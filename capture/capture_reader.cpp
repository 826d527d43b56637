#include "capture/capture_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "platform/runtime/errors.h"

namespace capture {

namespace {

constexpr std::uint8_t kFend = 0xC0;
constexpr std::uint8_t kTimeStampCommand = 0x09;
// A time-stamp frame whose data byte is 0x00 holds an eight-byte block taken
// whatever its values, then one byte that is either the closing FEND or dropped.
constexpr std::uint8_t kTimeStampBlockLead = 0x00;
constexpr std::size_t kTimeStampBlock = 8;
constexpr std::size_t kReadBlock = std::size_t{1} << 20;
constexpr std::string_view kSatelliteSource = "A8 82 A0 92 A4";  // TAPIR, shifted left
constexpr std::size_t kSatelliteSourceAt = 21;

// Each byte's hex text as four characters, the fourth a filler: a line is
// written four characters at a time, each write overlapping the last by one.
struct HexTable {
  std::array<std::array<char, 4>, 256> entry{};
  constexpr HexTable() {
    constexpr char digits[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) entry[b] = {digits[b >> 4], digits[b & 0x0F], ' ', ' '};
  }
};
constexpr HexTable kHex;

// Writes 3 characters per byte and one character of slack after them.
inline char* put_hex(char* out, const std::uint8_t* bytes, std::size_t count) noexcept {
  for (std::size_t i = 0; i < count; ++i) {
    std::memcpy(out, kHex.entry[bytes[i]].data(), 4);
    out += 3;
  }
  return out;
}

// The capture as a window of bytes read in large blocks. Byte-wise reading
// and this window see the same bytes: at most the size taken at open, and the
// first byte that cannot be read ends the reading with "Read beyond end of file".
class BlockReader {
 public:
  explicit BlockReader(platform::CaptureFile& file) : file_(file) {}

  const std::uint8_t* end() const noexcept { return end_; }

  // Keeps the bytes from `keep` on and reads more after them; returns where
  // the kept bytes now start. Throws when the capture has no byte left.
  const std::uint8_t* read_more(const std::uint8_t* keep) {
    const std::size_t kept = keep ? static_cast<std::size_t>(end_ - keep) : 0;
    if (kept > 0 && keep != buffer_.get()) std::memmove(buffer_.get(), keep, kept);
    if (capacity_ - kept < kReadBlock / 2) grow(kept);
    const std::size_t got = file_.read(buffer_.get() + kept, capacity_ - kept);
    end_ = buffer_.get() + kept + got;
    if (got == 0) throw platform::IoError(platform::io_code::read_beyond_end_of_file);
    return buffer_.get();
  }

  // Whether the bytes before `p` are all the capture has, as taken at open.
  bool at_end(const std::uint8_t* p) const noexcept { return p == end_ && file_.at_end(); }

 private:
  // Only a frame longer than a block makes the window grow.
  void grow(std::size_t kept) {
    const std::size_t capacity = std::max(kReadBlock, 2 * capacity_);
    auto bigger = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    if (kept > 0) std::memcpy(bigger.get(), buffer_.get(), kept);
    buffer_ = std::move(bigger);
    capacity_ = capacity;
  }

  platform::CaptureFile& file_;
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t capacity_ = 0;
  std::uint8_t* end_ = nullptr;
};

// The data of a time-stamp frame, from its first data byte: gives each run of
// bytes that goes into the line to `keep`, and returns the position just past
// the closing FEND, or nullptr when the window ends first.
template <typename Keep>
const std::uint8_t* walk_time_stamp_data(const std::uint8_t* p, const std::uint8_t* end, Keep&& keep) {
  for (;;) {
    if (p == end) return nullptr;
    if (*p == kTimeStampBlockLead) {
      if (static_cast<std::size_t>(end - p) < kTimeStampBlock + 1) return nullptr;
      keep(p, kTimeStampBlock);
      const std::uint8_t after = p[kTimeStampBlock];
      p += kTimeStampBlock + 1;
      if (after == kFend) return p;
      continue;  // the byte after the block is dropped
    }
    const std::uint8_t* run_end = p;
    while (run_end != end && *run_end != kFend && *run_end != kTimeStampBlockLead) ++run_end;
    keep(p, static_cast<std::size_t>(run_end - p));
    if (run_end == end) return nullptr;
    if (*run_end == kFend) return run_end + 1;
    p = run_end;
  }
}

// One complete frame in the window: its command byte, and either its data
// (a data frame) or the data to walk again (a time-stamp frame).
struct Frame {
  std::uint8_t command = 0;
  const std::uint8_t* data = nullptr;
  std::size_t data_size = 0;   // bytes of data before the closing FEND
  std::size_t line_bytes = 0;  // bytes that go into the line
  const std::uint8_t* next = nullptr;
};

// Finds the frame that starts at `p`; false when the window ends inside it.
bool find_frame(const std::uint8_t* p, const std::uint8_t* end, Frame& frame) noexcept {
  if (end - p < 2) return false;
  frame.command = p[1];  // p[0], the opening byte, is not looked at
  frame.data = p + 2;
  if (frame.command != kTimeStampCommand) {
    const auto* fend = static_cast<const std::uint8_t*>(
        std::memchr(frame.data, kFend, static_cast<std::size_t>(end - frame.data)));
    if (!fend) return false;
    frame.data_size = frame.line_bytes = static_cast<std::size_t>(fend - frame.data);
    frame.next = fend + 1;
    return true;
  }
  std::size_t kept = 0;
  frame.next = walk_time_stamp_data(frame.data, end, [&](const std::uint8_t*, std::size_t n) { kept += n; });
  if (!frame.next) return false;
  frame.line_bytes = kept;
  frame.data_size = static_cast<std::size_t>(frame.next - 1 - frame.data);
  return true;
}

std::string_view store_line(const Frame& frame, TextStore& text) {
  if (frame.line_bytes == 0) return {};
  char* const start = text.allocate(3 * frame.line_bytes + 1);
  char* out = start;
  if (frame.command != kTimeStampCommand) {
    out = put_hex(out, frame.data, frame.data_size);
  } else {
    walk_time_stamp_data(frame.data, frame.next, [&](const std::uint8_t* bytes, std::size_t n) {
      out = put_hex(out, bytes, n);
    });
  }
  text.shrink_last(out);
  return {start, static_cast<std::size_t>(out - start)};
}

}  // namespace

bool is_satellite_frame(std::string_view line) noexcept {
  return line.size() >= kSatelliteSourceAt + kSatelliteSource.size() &&
         line.substr(kSatelliteSourceAt, kSatelliteSource.size()) == kSatelliteSource;
}

void carrega(platform::CaptureFile& capture, FrameLists& lists, const Progress& progress) {
  struct Closer {
    platform::CaptureFile& file;
    ~Closer() { file.close(); }
  } closer{capture};
  BlockReader reader(capture);
  const std::uint8_t* p = nullptr;
  Frame frame;
  for (;;) {
    while (!p || !find_frame(p, reader.end(), frame)) p = reader.read_more(p);
    const std::string_view line = store_line(frame, lists.text);
    lists.Memo1.append(line);
    if (is_satellite_frame(line)) {
      lists.Memo2.append(line);
      ++lists.frame_count;
    }
    if (frame.command == kTimeStampCommand) lists.Memo4.append(line);
    if (progress) progress(lists.frame_count);
    p = frame.next;
    if (reader.at_end(p)) return;
  }
}

}  // namespace capture
