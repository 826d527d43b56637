#include "capture/capture_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "capture/unescape.h"
#include "platform/runtime/errors.h"
#include "tests/support/reference_reader.h"
#include "tests/platform/temp_dir.h"

namespace {

using capture::FrameLists;
using capture::LineList;
using test_support::ReferenceLists;
using test_support::TempDir;

using Bytes = std::vector<std::uint8_t>;

std::string as_text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// An AX.25 header from CQ to TAPIR1 (source SSID byte E1), then `info`.
Bytes satellite_frame(const Bytes& info = {0x48, 0x49}) {
  const Bytes header = {0x86, 0xA2, 0x40, 0x40, 0x40, 0x40, 0x60, 0xA8,
                        0x82, 0xA0, 0x92, 0xA4, 0x62, 0xE1, 0x03, 0xF0};
  return header + info;
}
const std::string kSatelliteLine = "86 A2 40 40 40 40 60 A8 82 A0 92 A4 62 E1 03 F0 48 49 ";

Bytes kiss(std::uint8_t command, const Bytes& data) { return Bytes{0xC0, command} + data + Bytes{0xC0}; }

struct Loaded {
  FrameLists lists;
  std::vector<std::int32_t> progress;
  std::optional<int> error;
  bool closed = false;
};

Loaded load_file(const std::string& path) {
  platform::CaptureFile file(path);
  Loaded out;
  try {
    capture::carrega(file, out.lists, [&](std::int32_t count) { out.progress.push_back(count); });
  } catch (const platform::IoError& error) {
    out.error = error.code();
  }
  out.closed = !file.is_open();
  return out;
}

Loaded load_bytes(const TempDir& dir, std::string_view bytes) {
  // A new name each time: truncating a file just written makes some file
  // systems flush it to disk first.
  static int serial = 0;
  const std::string path = dir.file("capture-" + std::to_string(++serial) + ".kss");
  test_support::write_file(path, bytes);
  Loaded loaded = load_file(path);
  std::filesystem::remove(path);
  return loaded;
}

std::vector<std::string> lines_of(const LineList& list) { return {list.begin(), list.end()}; }

// Everything a load leaves is what byte-by-byte reading leaves.
void expect_as_reference(const Loaded& got, const ReferenceLists& want, const std::string& context) {
  EXPECT_EQ(lines_of(got.lists.Memo1), want.all) << context;
  EXPECT_EQ(lines_of(got.lists.Memo2), want.satellite) << context;
  EXPECT_EQ(lines_of(got.lists.Memo4), want.time_stamps) << context;
  EXPECT_TRUE(got.lists.Memo3.empty()) << context;
  EXPECT_EQ(got.lists.frame_count, want.frame_count()) << context;
  EXPECT_EQ(got.progress, want.progress) << context;
  EXPECT_EQ(got.error, want.ran_out ? std::optional<int>(100) : std::nullopt) << context;
  EXPECT_TRUE(got.closed) << context;
}

std::string source_dir() {
  const char* dir = std::getenv("TAPIR_SOURCE_DIR");
  return dir ? dir : ".";
}

std::string read_demo() { return test_support::read_file(source_dir() + "/samples/demo.kss"); }

using Lines = std::vector<std::string>;

TEST(Carrega, SortsFramesAsTheReadingRulesSay) {
  const std::string kTwoBlocks = "00 11 22 33 44 55 66 77 00 A1 A2 A3 A4 A5 A6 A7 ";
  const std::string kOtherTapir = "86 A2 40 40 40 40 60 A8 82 A0 92 A4 64 61 ";
  const struct {
    const char* name;
    Bytes capture;
    Lines all, satellite, time_stamps;
    std::optional<int> error;
  } cases[] = {
      {"satellite frame", kiss(0x00, satellite_frame()), {kSatelliteLine}, {kSatelliteLine}, {}, {}},
      {"one byte", kiss(0x00, {0x41}), {"41 "}, {}, {}, {}},
      {"no data", kiss(0x00, {}), {""}, {}, {}, {}},
      {"numeric time stamp", kiss(0x09, {0x00, 0x00, 0x01, 0x4A, 0x5B, 0x6C, 0x7D, 0x8E}),
       {"00 00 01 4A 5B 6C 7D 8E "}, {}, {"00 00 01 4A 5B 6C 7D 8E "}, {}},
      {"FEND inside the block", kiss(0x09, {0x00, 0x00, 0x01, 0xC0, 0x11, 0x22, 0x33, 0x44}),
       {"00 00 01 C0 11 22 33 44 "}, {}, {"00 00 01 C0 11 22 33 44 "}, {}},
      {"byte after the block dropped",
       kiss(0x09, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}),
       {"00 11 22 33 44 55 66 77 "}, {}, {"00 11 22 33 44 55 66 77 "}, {}},
      {"two blocks",
       kiss(0x09, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,  // 0x88 dropped
                   0x00, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7}),
       {kTwoBlocks}, {}, {kTwoBlocks}, {}},
      {"text time stamp", kiss(0x09, {0x32, 0x30}), {"32 30 "}, {}, {"32 30 "}, {}},
      {"block after text bytes", kiss(0x09, {0x32, 0x00, 0xC0, 0xDB, 3, 4, 5, 6, 7}),
       {"32 00 C0 DB 03 04 05 06 07 "}, {}, {"32 00 C0 DB 03 04 05 06 07 "}, {}},
      {"escape stays", kiss(0x00, {0xDB, 0xDC, 0x41}), {"DB DC 41 "}, {}, {}, {}},
      {"other command read as data", kiss(0x05, {0x00, 0x41}), {"00 41 "}, {}, {}, {}},
      {"time stamp of the satellite", kiss(0x09, satellite_frame()), {kSatelliteLine}, {kSatelliteLine},
       {kSatelliteLine}, {}},
      {"escaped time stamp of the satellite", kiss(0x09, satellite_frame({0xDB, 0xDC})),
       {kSatelliteLine.substr(0, 48) + "DB DC "}, {kSatelliteLine.substr(0, 48) + "DB DC "},
       {kSatelliteLine.substr(0, 48) + "DB DC "}, {}},
      {"sixth letter and SSID not compared",
       kiss(0x00, Bytes{0x86, 0xA2, 0x40, 0x40, 0x40, 0x40, 0x60, 0xA8, 0x82, 0xA0, 0x92, 0xA4, 0x64, 0x61}),
       {kOtherTapir}, {kOtherTapir}, {}, {}},
      {"source test on the escaped line", kiss(0x00, Bytes{0xDB, 0xDC} + satellite_frame()),
       {"DB DC " + kSatelliteLine}, {}, {}, {}},
      {"no FEND first", Bytes{0x41, 0x00, 0x42, 0xC0}, {"42 "}, {}, {}, {}},
      {"one FEND too many",
       kiss(0x00, {0x41}) + Bytes{0xC0} + kiss(0x00, satellite_frame()) + kiss(0x00, satellite_frame()),
       {"41 ", "00 " + kSatelliteLine, kSatelliteLine}, {kSatelliteLine}, {}, {}},
      {"last frame without FEND", kiss(0x00, satellite_frame()) + Bytes{0xC0, 0x00, 0x41},
       {kSatelliteLine}, {kSatelliteLine}, {}, 100},
      {"cut inside a block", kiss(0x00, {0x41}) + Bytes{0xC0, 0x09, 0x00, 0x01, 0x02}, {"41 "}, {}, {}, 100},
      {"cut before the byte after a block", Bytes{0xC0, 0x09, 0x00, 1, 2, 3, 4, 5, 6, 7}, {}, {}, {}, 100},
      {"one single byte", Bytes{0xC0}, {}, {}, {}, 100},
  };
  TempDir dir;
  for (const auto& c : cases) {
    Loaded got = load_bytes(dir, as_text(c.capture));
    EXPECT_EQ(lines_of(got.lists.Memo1), c.all) << c.name;
    EXPECT_EQ(lines_of(got.lists.Memo2), c.satellite) << c.name;
    EXPECT_EQ(lines_of(got.lists.Memo4), c.time_stamps) << c.name;
    EXPECT_EQ(got.lists.frame_count, static_cast<std::int32_t>(c.satellite.size())) << c.name;
    EXPECT_EQ(got.error, c.error) << c.name;
    EXPECT_TRUE(got.closed) << c.name;
    // The rules written out plainly agree, so the sweeps below can trust them.
    expect_as_reference(got, test_support::reference_read(as_text(c.capture)), c.name);
    // What the reader noted about escapes leads the unescaping to the same lines.
    if (got.error) continue;
    capture::restaura(got.lists);
    ASSERT_EQ(got.lists.Memo3.size(), c.satellite.size()) << c.name;
    for (std::size_t k = 0; k < c.satellite.size(); ++k) {
      EXPECT_EQ(got.lists.Memo3[k], capture::unescape_line(c.satellite[k])) << c.name;
    }
  }
}

TEST(Carrega, ReportsTheEndOfFileMessage) {
  TempDir dir;
  const std::string path = dir.file("cut.kss");
  test_support::write_file(path, as_text(Bytes{0xC0, 0x00, 0x41}));
  platform::CaptureFile file(path);
  FrameLists lists;
  try {
    capture::carrega(file, lists);
    ADD_FAILURE() << "no error at the end of the file";
  } catch (const platform::IoError& error) {
    EXPECT_STREQ(error.what(), "Read beyond end of file");
  }
}

// Captures cut after every byte end as byte-by-byte reading ends.
TEST(Carrega, EveryTruncationLeavesWhatByteWiseReadingLeaves) {
  Bytes tricky;
  for (const Bytes& frame :
       {kiss(0x09, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,  // two blocks, a FEND inside
                    0x00, 0xC0, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7}),
        kiss(0x00, satellite_frame({0xDB, 0xDC, 0xDB, 0xDD, 0x41})), kiss(0x00, {}),
        kiss(0x09, {0x32, 0x30, 0x00, 1, 2, 3, 4, 5, 6, 7, 0xC0}), kiss(0x07, {0x41, 0x42})}) {
    tricky = tricky + frame;
  }
  const std::string demo = read_demo();
  ASSERT_GT(demo.size(), 1000u);
  TempDir dir;
  for (const std::string& capture : {as_text(tricky), demo}) {
    for (std::size_t length = 0; length <= capture.size(); ++length) {
      const std::string_view cut = std::string_view(capture).substr(0, length);
      expect_as_reference(load_bytes(dir, cut), test_support::reference_read(cut),
                          "cut at " + std::to_string(length));
      if (HasFailure()) return;
    }
  }
}

// Frames that straddle the reader's blocks, and frames longer than a block.
TEST(Carrega, FramesAcrossBlockBoundariesAreReadWhole) {
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  const Bytes tail = kiss(0x09, {0x00, 1, 2, 0xC0, 4, 5, 6, 7, 0x99, 0x00, 0xC0, 0xDB, 3, 4, 5, 6, 7}) +
                     kiss(0x00, satellite_frame({0xDB, 0xDC, 0x41})) + kiss(0x09, {0x32, 0x30});
  TempDir dir;
  for (std::size_t back = 0; back <= tail.size() + 2; ++back) {
    // A filler frame puts the tail `back` bytes before the end of the first block.
    const std::size_t filler = kBlock - back - 3;
    const std::string capture = as_text(kiss(0x00, Bytes(filler, 0x41)) + tail);
    expect_as_reference(load_bytes(dir, capture), test_support::reference_read(capture),
                        "tail at " + std::to_string(kBlock - back));
    if (HasFailure()) return;
  }
  for (const Bytes& capture :
       {kiss(0x00, {0x41}) + kiss(0x00, Bytes(3 * kBlock + 5, 0x42)) + kiss(0x00, {0x43}),
        kiss(0x00, {0x41}) + Bytes{0xC0, 0x00} + Bytes(2 * kBlock, 0x42)}) {  // the last one cut short
    const std::string text = as_text(capture);
    expect_as_reference(load_bytes(dir, text), test_support::reference_read(text), "long frame");
  }
}

TEST(Carrega, ALoadAfterClearingReplacesWhatTheLastLeft) {
  TempDir dir;
  const std::string big = dir.file("big.kss");
  const std::string small = dir.file("small.kss");
  test_support::write_file(big, read_demo());
  test_support::write_file(small, as_text(kiss(0x00, satellite_frame({0xDB, 0xDC}))));
  FrameLists lists;
  for (const std::string& path : {big, small}) {
    lists.clear();
    platform::CaptureFile file(path);
    capture::carrega(file, lists);
    capture::restaura(lists);
  }
  EXPECT_EQ(lists.frame_count, 1);
  EXPECT_EQ(lines_of(lists.Memo1), Lines{kSatelliteLine.substr(0, 48) + "DB DC "});
  EXPECT_EQ(lines_of(lists.Memo3), Lines{kSatelliteLine.substr(0, 48) + "C0 "});
  EXPECT_TRUE(lists.Memo4.empty());
  EXPECT_EQ(lists.Memo2.line(2), "");
}

TEST(Carrega, ReadsAGrowingCaptureUpToItsSizeAtOpen) {
  TempDir dir;
  const std::string path = dir.file("live.kss");
  const std::string first = as_text(kiss(0x00, satellite_frame()) + kiss(0x09, {0x32}));
  test_support::write_file(path, first);
  platform::CaptureFile file(path);
  std::ofstream(path, std::ios::binary | std::ios::app) << as_text(Bytes{0xC0, 0x00, 0x41});
  FrameLists lists;
  capture::carrega(file, lists);
  EXPECT_EQ(lists.Memo1.size(), 2u);
  EXPECT_EQ(lists.frame_count, 1);
  EXPECT_FALSE(file.is_open());
}

TEST(Carrega, ACaptureThatShrankEndsWithTheEndOfFileError) {
  TempDir dir;
  const std::string path = dir.file("cut.kss");
  const std::string two = as_text(kiss(0x00, satellite_frame()) + kiss(0x00, satellite_frame()));
  test_support::write_file(path, two + two);
  platform::CaptureFile file(path);
  std::filesystem::resize_file(path, two.size());  // cut between two frames
  const Loaded got = [&] {
    Loaded out;
    try {
      capture::carrega(file, out.lists);
    } catch (const platform::IoError& error) {
      out.error = error.code();
    }
    out.closed = !file.is_open();
    return out;
  }();
  EXPECT_EQ(got.lists.frame_count, 2);
  EXPECT_EQ(got.error, 100);
  EXPECT_TRUE(got.closed);
}

// Other stations' passes: some start without FEND, some lack command bytes,
// some end inside a frame.
TEST(Carrega, RealCapturesReadAsTheRulesSay) {
  const char* shared = std::getenv("TAPIR_SHARED_DIR");
  const std::filesystem::path dir = std::filesystem::path(shared ? shared : "") / "captures" / "real";
  if (!shared || !std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real captures at " << dir;
  int files = 0;
  int cut_short = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".kss") continue;
    ++files;
    const std::string capture = test_support::read_file(entry.path().string());
    const ReferenceLists want = test_support::reference_read(capture);
    const Loaded got = load_file(entry.path().string());
    expect_as_reference(got, want, entry.path().filename().string());
    EXPECT_EQ(got.lists.frame_count, 0) << "no TAPIR1 frame in " << entry.path();
    EXPECT_FALSE(got.lists.Memo1.empty()) << entry.path();
    if (got.error) ++cut_short;
  }
  EXPECT_GT(files, 0);
  EXPECT_GT(cut_short, 0) << "some of these captures end inside a frame";
}

}  // namespace
