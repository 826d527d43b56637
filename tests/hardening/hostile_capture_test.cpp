// Captures that a radio link, a capture tool still at work or a user's typing
// can hand the reader: every one ends in a clear I/O error or in the right
// lists, loses no complete frame, and none hangs.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "capture/capture_reader.h"
#include "capture/frame_lists.h"
#include "capture/unescape.h"
#include "platform/runtime/capture_file.h"
#include "platform/runtime/errors.h"
#include "tests/support/reference_reader.h"
#include "tests/hardening/scratch_dir.h"

namespace hardening {
namespace {

using namespace std::chrono_literals;
using test_support::reference_hex;
using test_support::reference_read;
using test_support::ReferenceLists;

// What the Open command does with a capture: open, read when not empty,
// unescape after a clean read.
struct Load {
  capture::FrameLists lists;
  std::optional<int> error;  // the I/O error code, when there was one
};

Load load(const std::string& path) {
  Load result;
  try {
    platform::CaptureFile file(path);
    if (file.size() == 0) return result;
    capture::carrega(file, result.lists);
    EXPECT_FALSE(file.is_open()) << "the reader closes the capture";
    capture::restaura(result.lists);
  } catch (const platform::IoError& error) {
    result.error = error.code();
  }
  return result;
}

Load load_bytes(const ScratchDir& dir, const Bytes& bytes) {
  const std::string path = dir.file("capture.kss");
  write_file(path, bytes);
  return load(path);
}

std::vector<std::string> lines_of(const capture::LineList& list) {
  return {list.begin(), list.end()};
}

// The lists must be exactly those of plain byte-by-byte reading.
void expect_as_byte_wise(const Load& got, const Bytes& bytes) {
  const ReferenceLists expected = reference_read(bytes.data(), bytes.size());
  EXPECT_EQ(got.error.has_value(), expected.ran_out);
  if (got.error) {
    EXPECT_EQ(*got.error, platform::io_code::read_beyond_end_of_file);
  }
  EXPECT_EQ(lines_of(got.lists.Memo1), expected.all);
  EXPECT_EQ(lines_of(got.lists.Memo2), expected.satellite);
  EXPECT_EQ(lines_of(got.lists.Memo3), expected.unescaped);
  EXPECT_EQ(lines_of(got.lists.Memo4), expected.time_stamps);
  EXPECT_EQ(got.lists.frame_count, static_cast<std::int32_t>(expected.satellite.size()));
}

Bytes beacon_frame(std::uint8_t seed) {
  Bytes body(49);
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(seed + i * 7);
  return kiss_frame(0x00, satellite_ax25(body));
}

TEST(HostileCaptureTest, NamesThatAreNoCaptureGiveTheirIoError) {
  ScratchDir dir;
  write_file(dir.file("plain"), {0xC0, 0x00, 0xC0});
  std::filesystem::create_symlink(dir.file("loop.kss"), dir.file("loop.kss"));
  const struct {
    std::string path;
    int code;
  } cases[] = {
      {dir.file("no such capture.kss"), platform::io_code::file_not_found},
      {"", platform::io_code::file_not_found},
      {dir.file("plain") + "/below a file.kss", platform::io_code::invalid_filename},
      {dir.file("loop.kss"), platform::io_code::invalid_filename},
      {dir.file(std::string(300, 'n') + ".kss"), platform::io_code::invalid_filename},
  };
  for (const auto& c : cases) {
    const Load got = load(c.path);
    ASSERT_TRUE(got.error.has_value()) << c.path;
    EXPECT_EQ(*got.error, c.code) << c.path;
    EXPECT_TRUE(got.lists.Memo1.empty());
  }
}

// The I/O error code of opening `path`, 0 when it opens. The superuser reads
// whatever the permission bits say, so it tries as the unprivileged user
// "nobody" in a child process instead.
int open_error_code(const std::string& path) {
  auto try_open = [&] {
    try {
      platform::CaptureFile file(path);
      return 0;
    } catch (const platform::IoError& error) {
      return error.code();
    }
  };
  if (::geteuid() != 0) return try_open();
  const pid_t child = ::fork();
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(255);
    ::_exit(try_open());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HostileCaptureTest, UnreadableFileIsRefusedWithAccessDenied) {
  ScratchDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0711), 0);  // others may pass through, not list
  const std::string path = dir.file("locked.kss");
  write_file(path, beacon_frame(1));
  ASSERT_EQ(::chmod(path.c_str(), 0200), 0);  // its owner may write it, nobody may read it
  EXPECT_EQ(open_error_code(path), platform::io_code::access_denied);
}

// Opening anything but a regular file is refused at once with an I/O error,
// never blocks (a pipe without a writer would) and never reads forever (a
// device without an end would).
TEST(HostileCaptureTest, FilesThatAreNotRegularAreRefusedWithoutBlocking) {
  ScratchDir dir;
  const std::string fifo = dir.file("pipe.kss");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {fifo, dir.path().string(), std::string("/dev/zero"),
                                  std::string("/dev/null")}) {
    Load got;
    const bool finished = finishes_within(
        5s, [&] { got = load(path); },
        [&] {
          // Gives a reader stuck in opening the pipe its writer, so the test can end.
          const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
          if (fd >= 0) ::close(fd);
        });
    ASSERT_TRUE(finished) << path << ": opening hung";
    ASSERT_TRUE(got.error.has_value()) << path << " was read as a capture";
    EXPECT_EQ(*got.error, platform::io_code::access_denied) << path;
    EXPECT_TRUE(got.lists.Memo1.empty()) << path;
  }
}

// A capture tool may still be writing the capture: only what was there when
// it was opened is read, and it reads cleanly.
TEST(HostileCaptureTest, CaptureThatGrowsWhileReadIsReadUpToItsSizeAtOpening) {
  ScratchDir dir;
  const std::string path = dir.file("growing.kss");
  Bytes at_opening = time_stamp_frame(1615871392999);
  append(at_opening, beacon_frame(1));
  append(at_opening, beacon_frame(2));
  write_file(path, at_opening);

  platform::CaptureFile file(path);
  Bytes later = beacon_frame(3);
  later.push_back(0xC0);  // and a frame the tool has only begun
  write_file(path, later, /*append=*/true);

  Load got;
  capture::carrega(file, got.lists);
  capture::restaura(got.lists);
  expect_as_byte_wise(got, at_opening);
  EXPECT_EQ(got.lists.frame_count, 2);
}

// A capture cut shorter after opening: the frames before the cut stay, the
// cut frame is added nowhere, and the end-of-file error says so.
TEST(HostileCaptureTest, CaptureThatShrinksWhileReadKeepsTheFramesBeforeTheCut) {
  ScratchDir dir;
  const std::string path = dir.file("shrinking.kss");
  Bytes whole = beacon_frame(1);
  append(whole, beacon_frame(2));
  write_file(path, whole);

  platform::CaptureFile file(path);
  const std::size_t cut = whole.size() - 5;
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(cut)), 0);

  Load got;
  try {
    capture::carrega(file, got.lists);
  } catch (const platform::IoError& error) {
    got.error = error.code();
  }
  EXPECT_FALSE(file.is_open());
  ASSERT_TRUE(got.error.has_value());
  expect_as_byte_wise(got, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)));
  EXPECT_EQ(got.lists.frame_count, 1);
}

// Captures made of one odd thing, each read exactly as byte-by-byte reading
// reads it, with the main figures spelled out.
TEST(HostileCaptureTest, DegenerateCapturesReadAsByteByByte) {
  Bytes only_fend_whole(999, 0xC0);   // 333 frames of FEND, FEND as command, FEND
  Bytes only_fend_cut(1000, 0xC0);    // one byte too many
  Bytes only_fesc(4096, 0xDB);        // never a frame end
  Bytes stamp_at_end = beacon_frame(1);
  append(stamp_at_end, time_stamp_frame(1615871392999));
  Bytes stamp_block_without_fend = stamp_at_end;
  stamp_block_without_fend.pop_back();
  Bytes stamp_block_cut = beacon_frame(1);
  append(stamp_block_cut, {0xC0, 0x09, 0x00, 0x00, 0x01, 0x78});
  Bytes stamp_fend_inside = {0xC0, 0x09, 0x00, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0, 0xC0};
  Bytes escapes_only_frame = {0xC0, 0x00};
  const Bytes header = satellite_ax25({});
  escapes_only_frame.insert(escapes_only_frame.end(), header.begin(), header.end());
  for (int i = 0; i < 1000; ++i) append(escapes_only_frame, {0xDB, static_cast<std::uint8_t>(0xDC + i % 3)});
  escapes_only_frame.push_back(0xDB);  // a FESC as the last byte
  escapes_only_frame.push_back(0xC0);

  const struct {
    const char* name;
    const Bytes& bytes;
    bool error;
    std::size_t all, satellite, time_stamps;
  } cases[] = {
      {"only FEND, whole frames", only_fend_whole, false, 333, 0, 0},
      {"only FEND, one byte over", only_fend_cut, true, 333, 0, 0},
      {"only FESC", only_fesc, true, 0, 0, 0},
      {"time stamp as the last frame", stamp_at_end, false, 2, 1, 1},
      {"time-stamp block without its closing FEND", stamp_block_without_fend, true, 1, 1, 0},
      {"capture ends inside a time-stamp block", stamp_block_cut, true, 1, 1, 0},
      {"time-stamp block of FEND bytes", stamp_fend_inside, false, 1, 0, 1},
      {"satellite frame of nothing but escapes", escapes_only_frame, false, 1, 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir dir;
    const Load got = load_bytes(dir, c.bytes);
    EXPECT_EQ(got.error.has_value(), c.error);
    EXPECT_EQ(got.lists.Memo1.size(), c.all);
    EXPECT_EQ(got.lists.Memo2.size(), c.satellite);
    EXPECT_EQ(got.lists.Memo4.size(), c.time_stamps);
    expect_as_byte_wise(got, c.bytes);
  }
}

TEST(HostileCaptureTest, FrameOfSeveralMegabytesIsKeptWhole) {
  Bytes body(6 << 20);
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 131 + (i >> 9));
  const Bytes ax25 = satellite_ax25(body);
  Bytes bytes = kiss_frame(0x00, ax25);  // escapes bring it above 6 MB on disk
  append(bytes, beacon_frame(9));
  ScratchDir dir;
  const Load got = load_bytes(dir, bytes);
  ASSERT_FALSE(got.error.has_value());
  ASSERT_EQ(got.lists.frame_count, 2);
  EXPECT_EQ(got.lists.Memo3.line(1), reference_hex(ax25));
  EXPECT_EQ(got.lists.Memo1.line(1).size(), 3 * (bytes.size() - beacon_frame(9).size() - 3));
  expect_as_byte_wise(got, bytes);
}

TEST(HostileCaptureTest, HundredsOfThousandsOfFramesAreAllKept) {
  constexpr int kBeacons = 200000;
  Bytes bytes;
  bytes.reserve(kBeacons * 90);
  for (int i = 0; i < kBeacons; ++i) {
    append(bytes, time_stamp_frame(1615871392999 + static_cast<std::uint64_t>(i) * 10000));
    append(bytes, beacon_frame(static_cast<std::uint8_t>(i)));
  }
  ScratchDir dir;
  const Load got = load_bytes(dir, bytes);
  ASSERT_FALSE(got.error.has_value());
  EXPECT_EQ(got.lists.frame_count, kBeacons);
  EXPECT_EQ(got.lists.Memo1.size(), 2u * kBeacons);
  EXPECT_EQ(got.lists.Memo3.size(), std::size_t{kBeacons});
  EXPECT_EQ(got.lists.Memo4.size(), std::size_t{kBeacons});
  expect_as_byte_wise(got, bytes);
}

}  // namespace
}  // namespace hardening
