#include "capture/capture_reader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "capture/hex_run.h"
#include "capture/unescape.h"
#include "platform/runtime/errors.h"

namespace capture {

namespace {

constexpr std::uint8_t kFend = 0xC0;
constexpr std::uint8_t kFesc = 0xDB;
constexpr std::uint8_t kTimeStampCommand = 0x09;
// A time-stamp frame whose data byte is 0x00 holds an eight-byte block taken
// whatever its values, then one byte that is either the closing FEND or dropped.
constexpr std::uint8_t kTimeStampBlockLead = 0x00;
constexpr std::size_t kTimeStampBlock = 8;
constexpr std::size_t kReadBlock = std::size_t{1} << 20;
constexpr std::string_view kSatelliteSource = "A8 82 A0 92 A4";  // TAPIR, shifted left
constexpr std::size_t kSatelliteSourceAt = 21;

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

// A frame read from the window: its command byte, its line, where the next
// frame starts.
struct Frame {
  std::uint8_t command = 0;
  std::string_view line;
  const std::uint8_t* data = nullptr;  // the data as stored
  const std::uint8_t* next = nullptr;
};

// Reads the frame that starts at `p` into a line of `text`. False, with
// nothing kept in `text`, when the window ends inside the frame.
bool read_frame(const std::uint8_t* p, const std::uint8_t* end, TextStore& text, Frame& frame) {
  if (end - p < 2) return false;
  frame.command = p[1];  // p[0], the opening byte, is not looked at
  const std::uint8_t* const data = frame.data = p + 2;
  if (frame.command != kTimeStampCommand) {
    // Room for the rest of the window; the unused part is given back.
    char* const start = text.allocate(3 * static_cast<std::size_t>(end - data) + 1);
    char* out = start;
    const std::uint8_t* const fend = put_hex_until_fend(data, end, out);
    if (!fend) {
      text.shrink_last(start);
      return false;
    }
    text.shrink_last(out);
    frame.line = {start, static_cast<std::size_t>(out - start)};
    frame.next = fend + 1;
    return true;
  }
  // Time-stamp frames are rare and short: find the end first, then write.
  std::size_t kept = 0;
  frame.next = walk_time_stamp_data(data, end, [&](const std::uint8_t*, std::size_t n) { kept += n; });
  if (!frame.next) return false;
  if (kept == 0) {
    frame.line = {};
    return true;
  }
  char* const start = text.allocate(3 * kept + 1);
  char* out = start;
  walk_time_stamp_data(data, frame.next,
                       [&](const std::uint8_t* bytes, std::size_t n) { out = put_hex(out, bytes, n); });
  text.shrink_last(out);
  frame.line = {start, static_cast<std::size_t>(out - start)};
  return true;
}

// Room for the most that a capture of `size` bytes can give: 3 characters of
// text per byte, one frame per 3 bytes. Only the pages written are ever taken,
// nothing is copied as the lists grow, and each frame is written as it is
// scanned. A hint only: without the room, the lists grow as they go.
void reserve_for(std::uint64_t size, FrameLists& lists) noexcept {
  if (size >= (std::uint64_t{1} << 40)) return;
  const auto bytes = static_cast<std::size_t>(size);
  const std::size_t most_frames = bytes / 3 + 1;
  try {
    lists.text.reserve(3 * bytes + 1);
    lists.Memo1.reserve(lists.Memo1.size() + most_frames);
    lists.Memo2.reserve(lists.Memo2.size() + most_frames);
    lists.Memo4.reserve(lists.Memo4.size() + most_frames);
    lists.memo2_escaped.reserve(lists.memo2_escaped.size() + most_frames);
  } catch (const std::bad_alloc&) {
  }
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
  reserve_for(capture.size(), lists);
  const std::uint8_t* p = nullptr;
  Frame frame;
  for (;;) {
    while (!p || !read_frame(p, reader.end(), lists.text, frame)) p = reader.read_more(p);
    const std::string_view line = frame.line;
    lists.Memo1.append(line);
    if (is_satellite_frame(line)) {
      lists.Memo2.append(line);
      ++lists.frame_count;
      // A data frame's line holds an escape where its bytes hold a FESC.
      lists.memo2_escaped.push_back(
          frame.command == kTimeStampCommand
              ? has_escape(line)
              : std::memchr(frame.data, kFesc, static_cast<std::size_t>(frame.next - 1 - frame.data)) !=
                    nullptr);
    }
    if (frame.command == kTimeStampCommand) lists.Memo4.append(line);
    if (progress) progress(lists.frame_count);
    p = frame.next;
    if (reader.at_end(p)) return;
  }
}

}  // namespace capture
